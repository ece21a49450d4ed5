// Builds voice database files in exactly the layout Allobase reads, with
// 16-bit PCM or IMA ADPCM samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct VoiceUnit {
  std::string name;
  std::vector<int16_t> samples;
  // Sample positions relative to the unit's first sample, written as given.
  std::vector<int32_t> marks;
};

struct VoiceData {
  std::string description1;
  std::string description2;
  // 0, 1 or 2.
  int voiceKind = 1;
  bool adpcm = false;
  int32_t sampleRate = 11025;
  std::vector<VoiceUnit> units;
};

// The file's bytes. False (and `out` left incomplete) when a name or a
// description is longer than 255 bytes or the voice kind is not 0, 1 or 2.
bool EncodeVoiceDatabase(const VoiceData& voice, std::string& out);

// Encodes the file and writes it under a temporary name beside the path,
// then renames it over the path (keeping the old file's permissions); false,
// with the old file as it was, when encoding or writing fails.
bool WriteVoiceDatabase(const std::u16string& path, const VoiceData& voice);
