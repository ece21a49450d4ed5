#include "engine/scale_unit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/window_cache.h"

namespace {

// Period factor of mark i over the period up to its successor.
float PeriodFactor(const std::vector<PitchMark>& marks, size_t i) {
  const PitchMark& mark = marks[i];
  if (mark.periodScale != 0.0f) return mark.periodScale;
  if (mark.targetPeriod != 0.0f && i + 1 < marks.size()) {
    const int32_t period = marks[i + 1].position - mark.position;
    if (period > 0) return mark.targetPeriod / static_cast<float>(period);
  }
  return 1.0f;
}

// Adds a windowed segment into the output at `at`, growing the output as
// needed. Samples before position 0 are dropped; sums saturate.
void AddAt(std::vector<int16_t>& out, const std::vector<int16_t>& segment, int64_t at) {
  const int64_t end = at + static_cast<int64_t>(segment.size());
  if (end <= 0) return;
  if (static_cast<size_t>(end) > out.size()) out.resize(static_cast<size_t>(end), 0);
  for (size_t k = at < 0 ? static_cast<size_t>(-at) : 0; k < segment.size(); ++k) {
    int16_t& sample = out[static_cast<size_t>(at + static_cast<int64_t>(k))];
    sample = static_cast<int16_t>(std::clamp(sample + segment[k], -32768, 32767));
  }
}

}  // namespace

void ScaleUnit(std::vector<int16_t>& samples, const std::vector<PitchMark>& marks) {
  const size_t n = samples.size();
  if (n == 0 || marks.size() < 3) return;
  const auto clampToInput = [n](int32_t position) {
    return static_cast<size_t>(std::clamp<int64_t>(position, 0, static_cast<int64_t>(n)));
  };

  const float p0 = PeriodFactor(marks, 0);
  const float r0 = marks[0].timeScale;
  std::vector<int16_t> out;
  const double reserve = static_cast<double>(n) / r0 * p0 * 1.2;
  if (reserve > 0 && reserve < 4.0 * static_cast<double>(n)) out.reserve(static_cast<size_t>(reserve));

  float t = static_cast<float>(marks[0].position) * p0 * r0;
  int64_t o = static_cast<int64_t>(static_cast<float>(marks[0].position) * p0);
  WindowCache cache;
  const size_t last = marks.size() - 1;
  size_t i = 1;
  while (i < last) {
    const size_t prev = clampToInput(marks[i - 1].position);
    const size_t cur = std::max(prev, clampToInput(marks[i].position));
    const size_t next = std::max(cur, clampToInput(marks[i + 1].position));
    AddAt(out,
          cache.Window(samples.data() + prev, cur - prev, static_cast<int32_t>(prev),
                       WindowCache::Ramp::Rising),
          o - static_cast<int64_t>(cur - prev));
    AddAt(out,
          cache.Window(samples.data() + cur, next - cur, static_cast<int32_t>(cur),
                       WindowCache::Ramp::Falling),
          o);

    const float period = static_cast<float>(marks[i + 1].position - marks[i].position) *
                         PeriodFactor(marks, i);
    const float advance = period * marks[i].timeScale;
    // Time that does not move on would repeat this window for ever.
    if (!(advance > 0.0f) || !std::isfinite(advance)) break;
    t += advance;
    o += static_cast<int64_t>(period);
    while (i < last && t > static_cast<float>(marks[i].position)) ++i;
  }
  samples.swap(out);
}
