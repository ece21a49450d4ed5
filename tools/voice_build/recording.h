// One recorded utterance: its samples, its phone labels and its text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PhoneLabel {
  std::string name;  // the recording's own phone name ("a", "ss", "pau")
  int32_t start = 0;  // sample positions, end exclusive
  int32_t end = 0;
};

// Label file lines "end-time number name" after a "#" line; times in
// seconds. Empty on a file that cannot be read.
std::vector<PhoneLabel> ReadPhoneLabels(const std::string& path, int32_t sampleRate);

// 16-bit mono samples of a canonical WAV file; false when unreadable.
bool ReadMonoWave(const std::string& path, std::vector<int16_t>& samples, int32_t& sampleRate);

struct UtteranceText {
  std::string id;    // "ru_0001"
  std::string text;  // Windows-1251
};

// The prompt list: lines ( id "text" ), UTF-8.
std::vector<UtteranceText> ReadPromptList(const std::string& path);
