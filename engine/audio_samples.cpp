// AudioBuffer: its samples one by one, as values in [-1, 1), and ranges of
// them.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/audio_buffer.h"

namespace {

// 2^-15: a 16-bit sample as a value in [-1, 1).
constexpr double kSixteenBitStep = 3.0517578125e-5;
constexpr double kEightBitStep = 1.0 / 128;

// Truncated towards zero and held to [low, high]; NaN counts as 0.
int Held(double scaled, int low, int high) {
  if (std::isnan(scaled)) return 0;
  return static_cast<int>(std::clamp(std::trunc(scaled), static_cast<double>(low),
                                     static_cast<double>(high)));
}

}  // namespace

AudioBuffer AudioBuffer::Silence(const WaveFormat& format, DWORD milliseconds) {
  AudioBuffer silence(format);
  const uint64_t frames = static_cast<uint64_t>(format.SamplesPerSec()) * milliseconds / 1000;
  silence.bytes_.assign(frames * format.BlockAlign(), format.BitsPerSample() == 8 ? 128 : 0);
  return silence;
}

bool AudioBuffer::GetSample(size_t index, int* value) const {
  if (value == nullptr || index >= SampleCount()) return false;
  *value = SampleAt(index);
  return true;
}

double AudioBuffer::ValueAt(size_t index) const {
  return SampleAt(index) * (format_.BitsPerSample() == 8 ? kEightBitStep : kSixteenBitStep);
}

template <class Real>
std::vector<Real> AudioBuffer::ToValues() const {
  std::vector<Real> values(SampleCount());
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<Real>(ValueAt(i));
  return values;
}

template <class Real>
void AudioBuffer::AssignValues(const std::vector<Real>& values) {
  const bool eight = format_.BitsPerSample() == 8;
  bytes_.resize(values.size() * BytesPerSample());
  for (size_t i = 0; i < values.size(); ++i) {
    const double value = values[i];
    if (eight) {
      bytes_[i] = static_cast<BYTE>(Held(value * 128, -128, 127) + 128);
    } else {
      const auto sample = static_cast<int16_t>(Held(value * 32768, -32768, 32767));
      std::memcpy(bytes_.data() + 2 * i, &sample, sizeof(sample));
    }
  }
}

std::vector<double> AudioBuffer::ToDoubles() const { return ToValues<double>(); }

std::vector<float> AudioBuffer::ToFloats() const { return ToValues<float>(); }

std::vector<int16_t> AudioBuffer::ToShorts() const {
  std::vector<int16_t> samples(SampleCount());
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(Held(ValueAt(i) * 32768, -32768, 32767));
  return samples;
}

void AudioBuffer::AssignDoubles(const std::vector<double>& values) { AssignValues(values); }

void AudioBuffer::AssignFloats(const std::vector<float>& values) { AssignValues(values); }

void AudioBuffer::AssignShorts(const std::vector<int16_t>& samples) {
  std::vector<double> values(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) values[i] = samples[i] * kSixteenBitStep;
  AssignValues(values);
}

bool AudioBuffer::Reformat(const WaveFormat& format) {
  const WORD bits = format.BitsPerSample();
  if (format.FormatTag() != WaveFormat::kTagPcm || (bits != 8 && bits != 16)) return false;
  const std::vector<double> values = ToDoubles();
  format_ = format;
  AssignValues(values);
  return true;
}

void AudioBuffer::EraseSamples(size_t first, size_t count) {
  const size_t total = SampleCount();
  if (first >= total) return;
  const size_t erased = std::min(count, total - first);
  const auto begin = bytes_.begin() + static_cast<ptrdiff_t>(first * BytesPerSample());
  bytes_.erase(begin, begin + static_cast<ptrdiff_t>(erased * BytesPerSample()));
}

bool AudioBuffer::InsertSamples(size_t at, const AudioBuffer& other) {
  if (!(format_ == other.format_) || at > SampleCount()) return false;
  bytes_.insert(bytes_.begin() + static_cast<ptrdiff_t>(at * BytesPerSample()),
                other.bytes_.begin(), other.bytes_.end());
  return true;
}
