#include "engine/window_cache.h"

const std::vector<int16_t>& WindowCache::Window(const int16_t* segment, size_t length,
                                                int32_t start, Ramp ramp) {
  for (const Slot& slot : slots_)
    if (slot.key == start) return slot.ramp == ramp ? slot.windowed : slot.complement;

  Slot& slot = slots_[0].key < slots_[1].key ? slots_[0] : slots_[1];
  slot.key = start;
  slot.ramp = ramp;
  slot.windowed.resize(length);
  slot.complement.resize(length);
  // Weights are accumulated step by step: (k + 1) / L rising, 1 - k / L
  // falling.
  const float step = length > 0 ? 1.0f / static_cast<float>(length) : 0.0f;
  float weight = ramp == Ramp::Rising ? 0.0f : 1.0f;
  for (size_t k = 0; k < length; ++k) {
    if (ramp == Ramp::Rising) weight += step;
    const auto windowed = static_cast<int>(static_cast<float>(segment[k]) * weight);
    slot.windowed[k] = static_cast<int16_t>(windowed);
    slot.complement[k] = static_cast<int16_t>(segment[k] - windowed);
    if (ramp == Ramp::Falling) weight -= step;
  }
  return slot.windowed;
}
