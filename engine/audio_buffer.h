// AudioBuffer: synthesized audio as bytes (16-bit little-endian samples, or
// 8-bit unsigned ones centred at 128 when the format says 8 bits) with the
// WaveFormat that describes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/wave_format.h"
#include "platform/types.h"
#include "platform/variant.h"

class AudioBuffer {
 public:
  AudioBuffer() = default;
  explicit AudioBuffer(const WaveFormat& format) : format_(format) {}
  // The bytes of a one-dimensional array of one-byte elements, taken as
  // samples of that format; any other array gives no samples.
  AudioBuffer(SAFEARRAY* bytes, const WaveFormat& format);
  // A canonical RIFF/WAVE file as ReadWaveFile reads it; a file that cannot
  // be read gives no samples and a cleared format.
  explicit AudioBuffer(const std::u16string& wavePath);
  // Silence of rate x milliseconds / 1000 frames (8-bit silence is 128).
  static AudioBuffer Silence(const WaveFormat& format, DWORD milliseconds);

  const WaveFormat& Format() const { return format_; }
  void SetFormat(const WaveFormat& format) { format_ = format; }

  // Drops the samples, keeps the format.
  void Empty() { bytes_.clear(); }
  bool IsEmpty() const { return bytes_.empty(); }
  size_t ByteCount() const { return bytes_.size(); }
  size_t SampleCount() const;
  const BYTE* Data() const { return bytes_.data(); }

  void AppendBytes(const void* data, size_t count);
  void AppendZeros(size_t count);

  // The bytes as a VARIANT holding an array of VT_UI1 from index 0; the
  // caller clears it.
  HRESULT ToVariant(VARIANT* out) const;

  // One sample: the 16-bit value, or the 8-bit one less 128. False past
  // the end.
  bool GetSample(size_t index, int* value) const;
  // Samples as values in [-1, 1): a 16-bit sample s is s x 2^-15, an 8-bit
  // one b is (b - 128) / 128.
  std::vector<double> ToDoubles() const;
  std::vector<float> ToFloats() const;
  std::vector<int16_t> ToShorts() const;
  // Replace the samples, keeping the format: a value v becomes v x 32768
  // (16 bits) or v x 128 + 128 (8 bits), truncated and held to the
  // sample's range.
  void AssignDoubles(const std::vector<double>& values);
  void AssignFloats(const std::vector<float>& values);
  void AssignShorts(const std::vector<int16_t>& samples);
  // Takes another PCM format of 8 or 16 bits, converting each sample's
  // depth through the values above; the sample count stays. False (and
  // nothing changed) for any other format.
  bool Reformat(const WaveFormat& format);
  // Drops samples [first, first + count), as far as there are any.
  void EraseSamples(size_t first, size_t count);
  // Puts another buffer's samples before sample `at`. False when the
  // formats differ or `at` is past the end.
  bool InsertSamples(size_t at, const AudioBuffer& other);

  // Appends another buffer's bytes; a buffer without a format (tag 0)
  // takes the other's.
  void Append(const AudioBuffer& other);
  // Largest absolute sample value of a range of samples, at most 65535.
  DWORD Peak(size_t first, size_t count) const;
  // Playing time of that many samples.
  DWORD DurationMs(size_t sampleCount) const;
  // 22050 Hz 16-bit mono becomes 11025 Hz by keeping every second sample;
  // any other format is left alone and gives false.
  bool HalveRate();

  // Writes a canonical 44-byte-header RIFF/WAVE file of 16-bit mono samples
  // at this buffer's rate. False when the file cannot be created or written
  // whole, or the samples do not fit the header's 32-bit sizes.
  bool WriteWaveFile(const std::u16string& path) const;
  // Reads a canonical RIFF/WAVE file: the format from bytes 20 to 35 of its
  // header, the samples from byte 44 to the end. False when the file cannot
  // be read or is shorter than that header.
  bool ReadWaveFile(const std::u16string& path);

 private:
  int SampleAt(size_t index) const;
  size_t BytesPerSample() const { return format_.BitsPerSample() == 8 ? 1 : 2; }
  double ValueAt(size_t index) const;
  template <class Real>
  std::vector<Real> ToValues() const;
  template <class Real>
  void AssignValues(const std::vector<Real>& values);

  std::vector<BYTE> bytes_;
  WaveFormat format_;
};
