// What the whole-stack tests measure in spoken text and its samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Wave {
  int32_t sampleRate = 0;
  std::vector<int16_t> samples;
};

// A 16-bit mono RIFF/WAVE file; false when it is not one.
bool ReadWave(const std::string& path, Wave& wave);

// Byte positions [start, end) of the runs of Cyrillic letters of a
// Windows-1251 text.
struct TextSpan {
  uint32_t start = 0;
  uint32_t end = 0;
  bool operator==(const TextSpan&) const = default;
};
std::vector<TextSpan> WordsOf(const std::string& text);
// Sentences ending at ".", "!" or "?", each from its first word's start to
// its last word's end.
std::vector<TextSpan> SentencesOf(const std::string& text);
size_t CountVowelLetters(const std::string& text);

// Samples outside runs of exact zeros of at least `minRun` samples: the
// pause markers give such runs, speech does not.
size_t SpeechSampleCount(const std::vector<int16_t>& samples, size_t minRun);

// [from, to) without the zero run that a trailing pause marker leaves.
size_t EndOfSound(const std::vector<int16_t>& samples, size_t from, size_t to);

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to);

// Longest run of consecutive frames of `frame` samples in [from, to) whose
// RMS is below `floor`, in samples.
size_t LongestQuietStretch(const std::vector<int16_t>& samples, size_t from, size_t to,
                           size_t frame, double floor);

// The largest step between neighbouring samples that stands alone: at
// least `ratio` times every other step within `reach` samples of it. A
// join of two units that do not meet shows as such a step; the steps of
// noise and of high voices come in crowds.
int LargestLoneStep(const std::vector<int16_t>& samples, int reach, double ratio);
