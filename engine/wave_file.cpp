// RIFF/WAVE files of an AudioBuffer, always with the canonical 44-byte
// header.
#include <cstring>

#include "engine/audio_buffer.h"
#include "engine/file_routines.h"
#include "foundation/text_file.h"

namespace {

constexpr size_t kHeaderSize = 44;
constexpr size_t kFormatOffset = 20;
constexpr size_t kFormatSize = 16;

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutU16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

}  // namespace

bool AudioBuffer::WriteWaveFile(const std::u16string& path) const {
  // Sizes that do not fit the header's 32 bits would make a wrong file.
  if (bytes_.size() > 0xFFFFFFFFu - 36) return false;
  TextFile file;
  if (!file.Open(path.c_str(), u"wb")) return false;
  const DWORD rate = format_.SamplesPerSec();
  const auto dataSize = static_cast<uint32_t>(bytes_.size());
  std::string header;
  header.reserve(kHeaderSize);
  header += "RIFF";
  PutU32(header, 36 + dataSize);
  header += "WAVEfmt ";
  PutU32(header, 16);
  PutU16(header, WaveFormat::kTagPcm);
  PutU16(header, 1);
  PutU32(header, rate);
  PutU32(header, 2 * rate);
  PutU16(header, 2);
  PutU16(header, 16);
  header += "data";
  PutU32(header, dataSize);
  // A full disk shows at the latest when the buffered bytes go out.
  return file.Write(header) && file.Write(bytes_) && file.Flush();
}

AudioBuffer::AudioBuffer(const std::u16string& wavePath) { ReadWaveFile(wavePath); }

bool AudioBuffer::ReadWaveFile(const std::u16string& path) {
  std::string content;
  if (!ReadFileToString(path, content) || content.size() < kHeaderSize) return false;
  BYTE record[WaveFormat::kFixedSize] = {};
  std::memcpy(record, content.data() + kFormatOffset, kFormatSize);
  format_.CopyFrom(reinterpret_cast<const WAVEFORMATEX*>(record));
  bytes_.assign(content.begin() + kHeaderSize, content.end());
  return true;
}
