// Gives every Cyrillic word of a run its stress: 'ё', a valid stress the
// word already carries, "Stress" tag marks, the user stress base, the
// stress dictionary; a word left without any gets every vowel as a
// secondary stress.
#pragma once

#include <vector>

#include "foundation/stress.h"
#include "textanalysis/lexicon/stress_dictionary.h"
#include "textanalysis/lexicon/user_stress_base_file.h"

class StressStage {
 public:
  // False (not ready) without a loaded stress dictionary.
  bool Init(const StressByPosition* tagStresses, const StressDictionary* dictionary,
            const UserStressBaseFile* userBase);

  void Run(std::vector<StressedWord>& words) const;

 private:
  void PlaceStress(StressedWord& word) const;
  // A "Stress" tag mark under the word's start whose stresses all fall on
  // vowels; copied into the word.
  bool TakeTagStress(StressedWord& word) const;

  const StressByPosition* tagStresses_ = nullptr;
  const StressDictionary* dictionary_ = nullptr;
  const UserStressBaseFile* userBase_ = nullptr;
};
