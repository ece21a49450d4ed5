#include "engine/wave_format.h"

#include <cstdio>
#include <cstring>

#include "platform/message_box.h"

static_assert(sizeof(WAVEFORMATEX) == WaveFormat::kFixedSize);

WaveFormat::WaveFormat() { Clear(); }

void WaveFormat::Clear() { std::memset(area_, 0, sizeof(area_)); }

void WaveFormat::Set(DWORD samplesPerSec, WORD bitsPerSample, WORD channels) {
  const WORD blockAlign = static_cast<WORD>(bitsPerSample * channels / 8);
  PutWord(0, kTagPcm);
  PutWord(2, channels);
  PutDword(4, samplesPerSec);
  PutDword(8, blockAlign * samplesPerSec);
  PutWord(12, blockAlign);
  PutWord(14, bitsPerSample);
  PutWord(16, 0);
}

bool WaveFormat::CopyFrom(const WAVEFORMATEX* record) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
  WORD tag;
  std::memcpy(&tag, bytes, sizeof(tag));
  if (tag == 0 || tag == kTagPcm) {
    std::memcpy(area_, bytes, kFixedSize);
    PutWord(16, 0);
    return true;
  }
  WORD extra;
  std::memcpy(&extra, bytes + 16, sizeof(extra));
  if (extra >= kExtraSizeLimit) {
    MessageBoxW(nullptr,
                u"Неправильный размер структуры WAVEFTORMATEX - больше MAX_ACMFMT_LEN байт",
                u"Error", MB_OK);
    return false;
  }
  std::memcpy(area_, bytes, kFixedSize + extra);
  return true;
}

bool WaveFormat::operator==(const WaveFormat& other) const {
  return std::memcmp(area_, other.area_, kFixedSize + ExtraSize()) == 0;
}

double WaveFormat::SamplesToSeconds(DWORD samples) const {
  return static_cast<double>(samples) / SamplesPerSec();
}

DWORD WaveFormat::SecondsToSamples(double seconds) const {
  return static_cast<DWORD>(seconds * SamplesPerSec());
}

std::string WaveFormat::SamplesToText(DWORD samples) const {
  const double seconds = SamplesToSeconds(samples);
  const int minutes = static_cast<int>(seconds / 60.0);
  char text[64];
  std::snprintf(text, sizeof(text), "%d:%5.3f", minutes, seconds - minutes * 60.0);
  return text;
}

DWORD WaveFormat::MinutesSecondsToSamples(int minutes, double seconds) const {
  return SecondsToSamples(minutes * 60.0 + seconds);
}

WORD WaveFormat::Word(size_t offset) const {
  WORD value;
  std::memcpy(&value, area_ + offset, sizeof(value));
  return value;
}

DWORD WaveFormat::Dword(size_t offset) const {
  DWORD value;
  std::memcpy(&value, area_ + offset, sizeof(value));
  return value;
}

void WaveFormat::PutWord(size_t offset, WORD value) {
  std::memcpy(area_ + offset, &value, sizeof(value));
}

void WaveFormat::PutDword(size_t offset, DWORD value) {
  std::memcpy(area_ + offset, &value, sizeof(value));
}
