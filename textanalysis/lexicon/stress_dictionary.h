// The stress dictionary: stem files of lengths 2 to 24 over one set of
// endings, with a default by the number of vowels for unknown words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "textanalysis/lexicon/stem_file.h"
#include "textanalysis/lexicon/word_file_set.h"

class StressDictionary {
 public:
  static constexpr int kNoStress = StemFile::kNoStress;
  static constexpr int kMinStemLength = 2;
  static constexpr int kMaxStemLength = 24;

  StressDictionary();

  // The endings first, then the stem files; all or nothing.
  bool Load(const std::u16string& folder);
  bool IsLoaded() const { return loaded_; }

  // The index of the stressed letter of a lower-case word: its only vowel,
  // its first 'ё', the stem files, or the default by the number of vowels.
  // kNoStress for an empty word, a word with a non-letter or without vowels.
  int Lookup(std::string_view word) const;
  // Whether the stem files alone give the word a stress.
  bool Contains(std::string_view word) const;

 private:
  // Stem files of the word's length down to 2; the first stress found.
  int SearchStems(std::string_view word) const;

  EndingBase endings_;
  std::vector<StemFile> stems_;  // stems_[N - kMinStemLength]
  bool loaded_ = false;
};
