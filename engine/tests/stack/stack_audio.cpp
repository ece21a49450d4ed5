#include "engine/tests/stack/stack_audio.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "foundation/char_classes.h"

namespace {

uint32_t Le32(const char* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t Le16(const char* p) {
  uint16_t v = 0;
  std::memcpy(&v, p, 2);
  return v;
}

bool IsLetter(char c) { return IsRusLetter(static_cast<unsigned char>(c)); }

}  // namespace

bool ReadWave(const std::string& path, Wave& wave) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return false;
  bool format = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const size_t size = Le32(bytes.data() + at + 4);
    const size_t body = at + 8;
    if (body + size > bytes.size()) return false;
    if (id == "fmt ") {
      if (size < 16 || Le16(bytes.data() + body) != 1 || Le16(bytes.data() + body + 2) != 1 ||
          Le16(bytes.data() + body + 14) != 16)
        return false;
      wave.sampleRate = static_cast<int32_t>(Le32(bytes.data() + body + 4));
      format = true;
    } else if (id == "data" && format) {
      wave.samples.resize(size / 2);
      std::memcpy(wave.samples.data(), bytes.data() + body, wave.samples.size() * 2);
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

std::vector<TextSpan> WordsOf(const std::string& text) {
  std::vector<TextSpan> words;
  for (size_t i = 0; i < text.size();) {
    if (!IsLetter(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && IsLetter(text[i])) ++i;
    words.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(i)});
  }
  return words;
}

std::vector<TextSpan> SentencesOf(const std::string& text) {
  std::vector<TextSpan> sentences;
  const std::vector<TextSpan> words = WordsOf(text);
  size_t first = 0;
  for (size_t w = 0; w < words.size(); ++w) {
    const size_t next = w + 1 < words.size() ? words[w + 1].start : text.size();
    const std::string between = text.substr(words[w].end, next - words[w].end);
    if (between.find_first_of(".!?") == std::string::npos && w + 1 < words.size()) continue;
    sentences.push_back({words[first].start, words[w].end});
    first = w + 1;
  }
  return sentences;
}

size_t CountVowelLetters(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return IsRusVowel(static_cast<unsigned char>(c));
  }));
}

size_t SpeechSampleCount(const std::vector<int16_t>& samples, size_t minRun) {
  size_t speech = 0;
  for (size_t i = 0; i < samples.size();) {
    if (samples[i] != 0) {
      ++speech;
      ++i;
      continue;
    }
    size_t end = i;
    while (end < samples.size() && samples[end] == 0) ++end;
    if (end - i < minRun) speech += end - i;
    i = end;
  }
  return speech;
}

size_t EndOfSound(const std::vector<int16_t>& samples, size_t from, size_t to) {
  while (to > from && samples[to - 1] == 0) --to;
  return to;
}

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  if (to <= from) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

size_t LongestQuietStretch(const std::vector<int16_t>& samples, size_t from, size_t to,
                           size_t frame, double floor) {
  size_t longest = 0, run = 0;
  for (size_t at = from; at + frame <= to; at += frame) {
    run = Rms(samples, at, at + frame) < floor ? run + frame : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

int LargestLoneStep(const std::vector<int16_t>& samples, int reach, double ratio) {
  const int n = static_cast<int>(samples.size());
  std::vector<int> steps(n, 0);
  for (int i = 1; i < n; ++i) steps[i] = std::abs(samples[i] - samples[i - 1]);
  int largest = 0;
  for (int i = 1; i < n; ++i) {
    if (steps[i] <= largest) continue;
    int others = 0;
    for (int j = std::max(1, i - reach); j <= std::min(n - 1, i + reach); ++j)
      if (j != i) others = std::max(others, steps[j]);
    if (steps[i] >= ratio * others) largest = steps[i];
  }
  return largest;
}
