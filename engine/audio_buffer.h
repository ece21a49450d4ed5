// AudioBuffer: synthesized audio as bytes (16-bit little-endian samples, or
// 8-bit unsigned ones centred at 128 when the format says 8 bits) with the
// WaveFormat that describes them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/wave_format.h"
#include "platform/types.h"

class AudioBuffer {
 public:
  AudioBuffer() = default;
  explicit AudioBuffer(const WaveFormat& format) : format_(format) {}

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
  // at this buffer's rate. False when the file cannot be created.
  bool WriteWaveFile(const std::u16string& path) const;
  // Reads a canonical RIFF/WAVE file: the format from bytes 20 to 35 of its
  // header, the samples from byte 44 to the end. False when the file cannot
  // be read or is shorter than that header.
  bool ReadWaveFile(const std::u16string& path);

 private:
  int SampleAt(size_t index) const;

  std::vector<BYTE> bytes_;
  WaveFormat format_;
};
