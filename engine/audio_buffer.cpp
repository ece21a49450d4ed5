#include "engine/audio_buffer.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "samples are kept in the byte order of the wave format");

size_t AudioBuffer::SampleCount() const { return bytes_.size() / BytesPerSample(); }

void AudioBuffer::AppendBytes(const void* data, size_t count) {
  const BYTE* first = static_cast<const BYTE*>(data);
  bytes_.insert(bytes_.end(), first, first + count);
}

void AudioBuffer::AppendZeros(size_t count) { bytes_.resize(bytes_.size() + count, 0); }

void AudioBuffer::Append(const AudioBuffer& other) {
  if (format_.FormatTag() == 0) format_ = other.format_;
  bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
}

int AudioBuffer::SampleAt(size_t index) const {
  if (format_.BitsPerSample() == 8) return static_cast<int>(bytes_[index]) - 128;
  int16_t sample;
  std::memcpy(&sample, bytes_.data() + 2 * index, sizeof(sample));
  return sample;
}

DWORD AudioBuffer::Peak(size_t first, size_t count) const {
  const size_t end = std::min(SampleCount(), first + count);
  DWORD peak = 0;
  for (size_t i = first; i < end; ++i)
    peak = std::max(peak, static_cast<DWORD>(std::abs(SampleAt(i))));
  return std::min<DWORD>(peak, 65535);
}

DWORD AudioBuffer::DurationMs(size_t count) const {
  const DWORD rate = format_.SamplesPerSec();
  if (rate == 0) return 0;
  return static_cast<DWORD>(static_cast<uint64_t>(count) * 1000 / rate);
}

bool AudioBuffer::HalveRate() {
  if (format_.SamplesPerSec() != 22050 || format_.BitsPerSample() != 16 ||
      format_.Channels() != 1)
    return false;
  const size_t halved = (SampleCount() + 1) / 2;
  for (size_t i = 0; i < halved; ++i)
    std::memmove(bytes_.data() + 2 * i, bytes_.data() + 4 * i, 2);
  bytes_.resize(2 * halved);
  format_.Set(11025, 16, 1);
  return true;
}
