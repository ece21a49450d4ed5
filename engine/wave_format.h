// WaveFormat: the engine's holder of a wave format record, as handed to the
// wave-out device. The record is kept as bytes in the layout of the
// platform's WAVEFORMATEX (tag, channels, rate, average bytes per second,
// block align, bits, extra size) followed by room for a compressed
// format's extra bytes.
#pragma once

#include <cstddef>
#include <string>

#include "platform/types.h"
#include "platform/wave_out.h"

class WaveFormat {
 public:
  static constexpr size_t kAreaSize = 250;
  // The fixed part of the record, up to and including the extra size.
  static constexpr size_t kFixedSize = 18;
  // Extra sizes from this value up do not fit the area.
  static constexpr WORD kExtraSizeLimit = 233;
  static constexpr WORD kTagPcm = 1;

  // A cleared format: every byte 0, tag 0.
  WaveFormat();

  void Clear();
  // PCM with the given rate, bits per sample and channels.
  void Set(DWORD samplesPerSec, WORD bitsPerSample, WORD channels);
  // Tags 0 and 1 copy the fixed part only (extra size 0); other tags copy
  // their extra bytes too, or, when those do not fit, nothing (after a
  // message box). Returns whether the record was copied.
  bool CopyFrom(const WAVEFORMATEX* record);

  // Byte comparison of the fixed part and this format's extra bytes.
  bool operator==(const WaveFormat& other) const;

  WORD FormatTag() const { return Word(0); }
  WORD Channels() const { return Word(2); }
  DWORD SamplesPerSec() const { return Dword(4); }
  DWORD AvgBytesPerSec() const { return Dword(8); }
  WORD BlockAlign() const { return Word(12); }
  WORD BitsPerSample() const { return Word(14); }
  WORD ExtraSize() const { return Word(16); }
  // The record itself, for the device.
  const WAVEFORMATEX* Get() const { return reinterpret_cast<const WAVEFORMATEX*>(area_); }
  const BYTE* Data() const { return area_; }

  double SamplesToSeconds(DWORD samples) const;
  DWORD SecondsToSamples(double seconds) const;
  // "m:ss.sss" as "%d:%5.3f".
  std::string SamplesToText(DWORD samples) const;
  DWORD MinutesSecondsToSamples(int minutes, double seconds) const;

 private:
  WORD Word(size_t offset) const;
  DWORD Dword(size_t offset) const;
  void PutWord(size_t offset, WORD value);
  void PutDword(size_t offset, DWORD value);

  alignas(4) BYTE area_[kAreaSize];
};
