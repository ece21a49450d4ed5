// Aligns our phoneme sequence of an utterance with its phone labels by
// dynamic programming over the compatibility costs. Pauses are free where a
// word boundary lies, so the alignment also finds the words in the labels.
#pragma once

#include <string>
#include <vector>

#include "tools/voice_build/recording.h"

constexpr int kSkipCost = 3;
constexpr int kStrayPauseCost = 2;

struct Alignment {
  // Per phoneme: the index of its label, or -1 when the recording lacks it.
  std::vector<int> label;
  // Per phoneme: the match cost with that label (kSkipCost when missing).
  std::vector<int> cost;
  int total = 0;
};

// `boundary` has one entry more than `phonemes`: entry i is true when a
// word boundary lies before phoneme i (the first and last always are).
Alignment AlignPhones(const std::vector<std::string>& phonemes, const std::vector<bool>& boundary,
                      const std::vector<PhoneLabel>& labels);
