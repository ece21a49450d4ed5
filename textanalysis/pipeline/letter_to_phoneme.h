// The letter-to-phoneme object the pipeline converts words with: its two
// interfaces, held from creation to release.
#pragma once

#include <string>
#include <vector>

#include "interfaces/runemap.h"

class LetterToPhoneme {
 public:
  LetterToPhoneme() = default;
  LetterToPhoneme(const LetterToPhoneme&) = delete;
  LetterToPhoneme& operator=(const LetterToPhoneme&) = delete;
  ~LetterToPhoneme() { Release(); }

  // Takes over one reference of each (either may be null).
  void Attach(IRunemap* runemap, IRunemap2* runemap2);
  void Release();

  IRunemap* Runemap() const { return runemap_; }
  IRunemap2* Runemap2() const { return runemap2_; }

  // IRunemap::Convert2 of the letters (boundaries included) with 1-based
  // stresses; false, with `phonemes` empty, when it fails or gives nothing.
  bool Convert2(const std::string& letters, INT fullStress, std::vector<INT> partStresses,
                std::string& phonemes) const;
  // IRunemap2::Convert of the word with its parameter bytes.
  bool Convert(const std::string& word, std::vector<I1> params, std::string& phonemes) const;

 private:
  IRunemap* runemap_ = nullptr;
  IRunemap2* runemap2_ = nullptr;
};
