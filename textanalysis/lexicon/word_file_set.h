// A set of word files, one per word length from 1 to a maximum, loaded all
// or nothing. The 'ё' variants and the endings of the stress dictionary are
// such sets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "textanalysis/lexicon/word_file.h"

class WordFileSet {
 public:
  WordFileSet(const char* stem, int maxLength);

  // Loads folder + stem + N for N = 1 .. maxLength; when one fails, every
  // file is emptied and the result is false.
  bool Load(const std::u16string& folder);
  bool IsLoaded() const { return loaded_; }
  void Clear();
  // False for an empty word or one longer than maxLength; otherwise the
  // file of the word's length decides.
  bool Find(std::string_view word) const;

 private:
  const char* stem_;
  std::vector<WordFile> files_;  // files_[N - 1] holds the words of length N
  bool loaded_ = false;
};

// Words spelled with 'ё', lower case ("jog3.dat1" .. "jog3.dat21").
class YoVariantsBase : public WordFileSet {
 public:
  YoVariantsBase() : WordFileSet("jog3.dat", 21) {}
};

// Word endings of the stress dictionary, lower case ("endsg3.dat1" ..
// "endsg3.dat19").
class EndingBase : public WordFileSet {
 public:
  EndingBase() : WordFileSet("endsg3.dat", 19) {}
};
