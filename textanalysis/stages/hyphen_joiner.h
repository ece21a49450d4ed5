// Joins words around a "-" of a run: a word split by line-end hyphenation
// becomes one word again when the lexicon knows it; any other joint keeps
// the two words and marks them as a hyphenated pair (kHyphenAfter on the
// first, kHyphenBefore on the second) for the clitic joiner.
#pragma once

#include <vector>

#include "foundation/stress.h"
#include "textanalysis/lexicon/stress_dictionary.h"
#include "textanalysis/lexicon/user_stress_base_file.h"

class HyphenJoiner {
 public:
  void Init(const StressDictionary* dictionary, const UserStressBaseFile* userBase) {
    dictionary_ = dictionary;
    userBase_ = userBase;
  }

  // Replaces `words`; a leading "-" is dropped.
  void Run(std::vector<StressedWord>& words) const;

 private:
  // The joined spelling has a stress of its own in the user base or in the
  // dictionary's stems.
  bool IsKnown(const std::string& word) const;

  const StressDictionary* dictionary_ = nullptr;
  const UserStressBaseFile* userBase_ = nullptr;
};
