// A word file of stems and whole words of one length N ("wordsg3.dat" + N):
// lower case except the stressed vowel, which is a capital. Records are
// sorted by their lower-cased form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textanalysis/lexicon/word_file.h"
#include "textanalysis/lexicon/word_file_set.h"

class StemFile : public WordFile {
 public:
  // The answer for a word the file does not give a stress.
  static constexpr int kNoStress = 255;

  bool Load(const std::u16string& folder, int length, bool packed = false);
  void Clear();

  // The stressed letter (the record's first capital vowel) of the record
  // that equals the word, or else of the record that equals the word's
  // first N letters when the rest of the word is one of the endings.
  // kNoStress when there is no such record or it has no capital vowel.
  // The word is compared as given (the records lower-cased).
  int Find(std::string_view word, const EndingBase& endings) const;

 private:
  PackedAlphabet Alphabet() const override { return PackedAlphabet::kStems; }
  // Notes each record's stressed letter, then lower-cases the records, so
  // that a search compares bytes only.
  void PrepareRecords(char* records) override;

  std::vector<uint8_t> stress_;  // per record, kNoStress when none
};
