#include "tools/voice_build/pitch_marks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinF0 = 60.0f;
constexpr float kMaxF0 = 320.0f;
constexpr float kVoicingThreshold = 0.5f;
constexpr double kSilenceRatio = 1e-4;  // frame energy 40 dB below the loudest
constexpr double kFrameSeconds = 0.010;
constexpr double kWindowSeconds = 0.040;
constexpr int32_t kAnalysisRate = 8000;

// Low-passed and decimated to about 8 kHz: the pitch range needs no more.
std::vector<float> Decimate(const std::vector<int16_t>& x, int32_t factor) {
  std::vector<float> out(x.size() / factor);
  for (size_t k = 0; k < out.size(); ++k) {
    const size_t c = k * factor;
    float sum = 0, weight = 0;
    for (int32_t d = -factor; d <= factor; ++d) {
      const long i = static_cast<long>(c) + d;
      if (i < 0 || i >= static_cast<long>(x.size())) continue;
      const float w = static_cast<float>(factor + 1 - std::abs(d));
      sum += w * x[i];
      weight += w;
    }
    out[k] = sum / weight;
  }
  return out;
}

void MedianSmooth(std::vector<float>& f0) {
  std::vector<float> out = f0;
  for (size_t i = 2; i + 2 < f0.size(); ++i) {
    if (f0[i] == 0) continue;
    float window[5];
    int n = 0;
    for (size_t k = i - 2; k <= i + 2; ++k)
      if (f0[k] > 0) window[n++] = f0[k];
    std::nth_element(window, window + n / 2, window + n);
    out[i] = window[n / 2];
  }
  f0 = std::move(out);
}

// Voiced runs shorter than three frames are taken for noise.
void DropShortRuns(std::vector<float>& f0) {
  size_t i = 0;
  while (i < f0.size()) {
    if (f0[i] == 0) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < f0.size() && f0[j] > 0) ++j;
    if (j - i < 3) std::fill(f0.begin() + i, f0.begin() + j, 0.0f);
    i = j;
  }
}

}  // namespace

float PitchTrack::At(int32_t sample) const {
  if (hop <= 0 || f0.empty() || sample < 0) return 0;
  const size_t frame = static_cast<size_t>(sample / hop);
  return frame < f0.size() ? f0[frame] : 0;
}

PitchTrack TrackPitch(const std::vector<int16_t>& samples, int32_t sampleRate) {
  const int32_t factor = std::max(1, sampleRate / kAnalysisRate);
  const float rate = static_cast<float>(sampleRate) / factor;
  const std::vector<float> d = Decimate(samples, factor);
  PitchTrack track;
  track.hop = static_cast<int32_t>(sampleRate * kFrameSeconds);
  const int32_t hop = track.hop / factor;
  const int32_t window = static_cast<int32_t>(rate * kWindowSeconds);
  const int32_t minLag = static_cast<int32_t>(rate / kMaxF0);
  const int32_t maxLag = static_cast<int32_t>(rate / kMinF0) + 1;
  const size_t frames = samples.size() / track.hop;
  track.f0.assign(frames, 0.0f);
  std::vector<double> energy(frames, 0.0);
  std::vector<float> r(maxLag + 2, 0.0f);
  double loudest = 0;
  for (size_t f = 0; f < frames; ++f) {
    const long start = static_cast<long>(f) * hop + hop / 2 - window / 2;
    if (start < 0 || start + window + maxLag + 1 >= static_cast<long>(d.size())) continue;
    const float* x = d.data() + start;
    double e0 = 0;
    for (int32_t n = 0; n < window; ++n) e0 += x[n] * x[n];
    energy[f] = e0;
    loudest = std::max(loudest, e0);
    if (e0 <= 0) continue;
    double eLag = 0;
    for (int32_t n = minLag - 1; n < minLag - 1 + window; ++n) eLag += x[n] * x[n];
    for (int32_t lag = minLag - 1; lag <= maxLag + 1; ++lag) {
      if (lag > minLag - 1) eLag += x[lag + window - 1] * x[lag + window - 1] - x[lag - 1] * x[lag - 1];
      float sum = 0;
      for (int32_t n = 0; n < window; ++n) sum += x[n] * x[n + lag];
      r[lag] = eLag > 0 ? static_cast<float>(sum / std::sqrt(e0 * eLag)) : 0.0f;
    }
    float best = 0;
    for (int32_t lag = minLag; lag <= maxLag; ++lag) best = std::max(best, r[lag]);
    if (best < kVoicingThreshold) continue;
    // The shortest lag close to the best avoids taking half the pitch.
    for (int32_t lag = minLag; lag <= maxLag; ++lag) {
      if (r[lag] >= 0.85f * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
        const float a = r[lag - 1], b = r[lag], c = r[lag + 1];
        const float denominator = a - 2 * b + c;
        const float shift = denominator < 0 ? 0.5f * (a - c) / denominator : 0.0f;
        track.f0[f] = rate / (lag + shift);
        break;
      }
    }
  }
  for (size_t f = 0; f < frames; ++f)
    if (energy[f] < loudest * kSilenceRatio) track.f0[f] = 0;
  MedianSmooth(track.f0);
  DropShortRuns(track.f0);
  return track;
}

PitchMarks FindPitchMarks(const std::vector<int16_t>& x, int32_t sampleRate, const PitchTrack& track,
                          int32_t unvoicedPeriod) {
  const long size = static_cast<long>(x.size());
  // Peaks of the stronger polarity are the more regular ones.
  double positive = 0, negative = 0;
  for (size_t f = 0; f < track.f0.size(); ++f) {
    if (track.f0[f] == 0) continue;
    int16_t hi = 0, lo = 0;
    for (long n = static_cast<long>(f) * track.hop; n < std::min(size, static_cast<long>(f + 1) * track.hop); ++n) {
      hi = std::max(hi, x[n]);
      lo = std::min(lo, x[n]);
    }
    positive += hi;
    negative -= lo;
  }
  const int sign = negative > positive ? -1 : 1;
  auto peakIn = [&](long from, long to) {
    from = std::max(0L, from);
    to = std::min(size, to);
    long best = from;
    for (long n = from; n < to; ++n)
      if (sign * x[n] > sign * x[best]) best = n;
    return best;
  };
  std::vector<int32_t> voicedMarks;
  size_t f = 0;
  while (f < track.f0.size()) {
    if (track.f0[f] == 0) {
      ++f;
      continue;
    }
    size_t g = f;
    while (g < track.f0.size() && track.f0[g] > 0) ++g;
    const long begin = static_cast<long>(f) * track.hop;
    const long end = std::min(size, static_cast<long>(g) * track.hop);
    const long centre = (begin + end) / 2;
    auto period = [&](long n) {
      const float hz = track.At(static_cast<int32_t>(std::clamp(n, begin, end - 1)));
      return static_cast<long>(sampleRate / (hz > 0 ? hz : 100.0f));
    };
    const long p0 = period(centre);
    const long seed = peakIn(centre - p0 / 2, centre + p0 / 2 + 1);
    std::vector<int32_t> run{static_cast<int32_t>(seed)};
    // A peak far weaker than the seed's is no glottal pulse any more.
    const int floor = sign * x[seed] / 10;
    auto weak = [&](long n) { return sign * x[n] <= floor; };
    for (long m = seed;;) {
      const long p = period(m);
      const long next = peakIn(m + p * 3 / 4, m + p * 5 / 4 + 1);
      if (next <= m || next >= end || weak(next)) break;
      run.push_back(static_cast<int32_t>(next));
      m = next;
    }
    for (long m = seed;;) {
      const long p = period(m);
      const long previous = peakIn(m - p * 5 / 4, m - p * 3 / 4 + 1);
      if (previous >= m || previous < begin || weak(previous)) break;
      run.push_back(static_cast<int32_t>(previous));
      m = previous;
    }
    std::sort(run.begin(), run.end());
    voicedMarks.insert(voicedMarks.end(), run.begin(), run.end());
    f = g;
  }
  PitchMarks out;
  auto fill = [&](long from, long to) {  // pseudo-marks strictly between
    const long gap = to - from;
    const long count = std::lround(static_cast<double>(gap) / unvoicedPeriod);
    for (long k = 1; k < count; ++k) {
      out.positions.push_back(static_cast<int32_t>(from + gap * k / count));
      out.voiced.push_back(false);
    }
  };
  long last = 0;
  out.positions.push_back(0);
  out.voiced.push_back(false);
  for (int32_t mark : voicedMarks) {
    if (mark <= last) continue;
    fill(last, mark);
    out.positions.push_back(mark);
    out.voiced.push_back(true);
    last = mark;
  }
  fill(last, size);
  return out;
}
