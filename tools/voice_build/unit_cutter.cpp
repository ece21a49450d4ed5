#include "tools/voice_build/unit_cutter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t kEdgeFade = 16;  // samples

size_t NearestMark(const std::vector<int32_t>& positions, double t) {
  auto it = std::lower_bound(positions.begin(), positions.end(), static_cast<int32_t>(std::floor(t)));
  if (it == positions.end()) return positions.size() - 1;
  size_t k = static_cast<size_t>(it - positions.begin());
  if (k > 0 && t - positions[k - 1] < positions[k] - t) --k;
  return k;
}

int32_t Spacing(const PitchMarks& marks, size_t k) {
  const auto& p = marks.positions;
  if (k + 1 < p.size()) return p[k + 1] - p[k];
  return k > 0 ? p[k] - p[k - 1] : 100;
}

// The last zero crossing at or before `at`, no further back than `reach`.
int32_t ZeroCrossingBefore(const std::vector<float>& y, int32_t at, int32_t reach) {
  at = std::clamp(at, 1, static_cast<int32_t>(y.size()) - 1);
  for (int32_t n = at; n > 0 && at - n <= reach; --n) {
    if ((y[n - 1] <= 0 && y[n] > 0) || (y[n - 1] >= 0 && y[n] < 0))
      return std::abs(y[n - 1]) < std::abs(y[n]) ? n - 1 : n;
  }
  return at;
}

}  // namespace

CutUnit CutFlattenedUnit(const std::vector<int16_t>& x, const PitchMarks& marks, int32_t begin,
                         int32_t end, const CutOptions& options) {
  const auto& a = marks.positions;
  const int32_t size = static_cast<int32_t>(x.size());
  // Label times onto the nearest marks.
  const size_t kBegin = NearestMark(a, begin), kEnd = NearestMark(a, end);
  if (std::abs(a[kBegin] - begin) <= Spacing(marks, kBegin) / 2) begin = a[kBegin];
  if (std::abs(a[kEnd] - end) <= Spacing(marks, kEnd) / 2) end = a[kEnd];
  end = std::max(end, begin + 1);

  // Synthesis marks from a period before the unit to a period after it,
  // each taking the analysis period nearest to it.
  const int32_t margin = 3 * std::max(options.targetPeriod, 200);
  const int32_t origin = begin - margin;
  std::vector<float> y(static_cast<size_t>(end - begin + 2 * margin), 0.0f);
  std::vector<int32_t> synthesis;
  auto step = [&](size_t k) {
    const int32_t spacing = Spacing(marks, k);
    if (!marks.voiced[k]) return spacing;
    const float lo = spacing / options.maxPeriodRatio, hi = spacing * options.maxPeriodRatio;
    return static_cast<int32_t>(std::lround(std::clamp<float>(options.targetPeriod, lo, hi)));
  };
  double t = begin;
  while (t > begin - margin / 2) t -= step(NearestMark(a, t));
  for (; t < end + margin / 2; t += step(NearestMark(a, t))) {
    const size_t k = NearestMark(a, t);
    const int32_t centre = a[k];
    const int32_t left = k > 0 ? a[k] - a[k - 1] : Spacing(marks, k);
    const int32_t right = Spacing(marks, k);
    const int32_t at = static_cast<int32_t>(std::lround(t));
    for (int32_t m = -left; m < right; ++m) {
      const int32_t source = centre + m, target = at + m - origin;
      if (source < 0 || source >= size || target < 0 || target >= static_cast<int32_t>(y.size())) continue;
      const float w = m < 0 ? 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * (m + left) / left)
                            : 0.5f + 0.5f * std::cos(std::numbers::pi_v<float> * m / right);
      y[target] += w * x[source];
    }
    synthesis.push_back(at);
  }

  const int32_t reach = options.targetPeriod / 2;
  const int32_t from = ZeroCrossingBefore(y, begin - origin, reach);
  const int32_t to = std::max(from + 1, ZeroCrossingBefore(y, end - origin, reach));
  // A short fade at both ends: the waveform of a vowel has no quiet point in
  // its period, and units meet without any crossfade in the synthesizer.
  const int32_t fade = std::min(kEdgeFade, (to - from) / 4);
  for (int32_t k = 0; k < fade; ++k) {
    const float w = 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * k / fade);
    y[from + k] *= w;
    y[to - 1 - k] *= w;
  }
  CutUnit unit;
  unit.samples.reserve(to - from);
  for (int32_t n = from; n < to; ++n)
    unit.samples.push_back(static_cast<int16_t>(std::clamp(std::lround(y[n]), -32767L, 32767L)));
  for (int32_t mark : synthesis) {
    const int32_t relative = mark - origin - from;
    if (relative >= 0 && relative < to - from) unit.marks.push_back(relative);
  }
  return unit;
}
