#include "engine/voice_writer.h"

#include <string>

#include "engine/allobase.h"
#include "engine/ima_adpcm.h"
#include "platform/atomic_file.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kMaxShortString = 255;

void PutInt32(std::string& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

bool PutShortString(std::string& out, const std::string& text) {
  if (text.size() > kMaxShortString) return false;
  out.push_back(static_cast<char>(text.size()));
  out += text;
  return true;
}

int32_t FlagsOf(const VoiceData& voice) {
  int32_t flags = voice.adpcm ? Allobase::kFlagAdpcm : 0;
  if (voice.voiceKind == 0) flags |= Allobase::kFlagKind0;
  if (voice.voiceKind == 2) flags |= Allobase::kFlagKind2;
  return flags;
}

}  // namespace

bool EncodeVoiceDatabase(const VoiceData& voice, std::string& out) {
  if (voice.voiceKind < 0 || voice.voiceKind > 2) return false;

  // Unit data first, so that the header can give the totals.
  std::string marks;
  std::string data;
  std::vector<int32_t> dataSizes;
  std::vector<BYTE> encoded;
  int32_t markTotal = 0;
  int64_t dataTotal = 0;
  for (const VoiceUnit& unit : voice.units) {
    for (int32_t mark : unit.marks) PutInt32(marks, mark);
    markTotal += static_cast<int32_t>(unit.marks.size());
    if (voice.adpcm) {
      encoded.clear();
      ImaAdpcmEncode(unit.samples.data(), unit.samples.size(), encoded);
      data.append(encoded.begin(), encoded.end());
      dataSizes.push_back(static_cast<int32_t>(encoded.size()));
    } else {
      for (int16_t sample : unit.samples) {
        data.push_back(static_cast<char>(sample & 0xFF));
        data.push_back(static_cast<char>((static_cast<uint16_t>(sample) >> 8) & 0xFF));
      }
      dataSizes.push_back(static_cast<int32_t>(unit.samples.size()));
    }
    dataTotal += dataSizes.back();
  }

  out.clear();
  if (!PutShortString(out, "abs.09") || !PutShortString(out, voice.description1) ||
      !PutShortString(out, voice.description2))
    return false;
  PutInt32(out, FlagsOf(voice));
  PutInt32(out, voice.sampleRate);
  PutInt32(out, static_cast<int32_t>(voice.units.size()));
  PutInt32(out, markTotal);
  PutInt32(out, static_cast<int32_t>(dataTotal));
  out += marks;
  out += data;
  for (size_t u = 0; u < voice.units.size(); ++u) {
    if (!PutShortString(out, voice.units[u].name)) return false;
    PutInt32(out, static_cast<int32_t>(voice.units[u].marks.size()));
    PutInt32(out, dataSizes[u]);
  }
  return true;
}

bool WriteVoiceDatabase(const std::u16string& path, const VoiceData& voice) {
  std::string bytes;
  if (!EncodeVoiceDatabase(voice, bytes)) return false;
  // A new file renamed over the old one: an engine speaking with the old
  // voice keeps reading the file it opened.
  return WriteFileAtomically(Utf16ToUtf8(path), bytes);
}
