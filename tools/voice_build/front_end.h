// The builder's text analysis: the text-analysis server of sub-language 1,
// as the engine runs it for a kind-1 voice, and the allophone names the
// engine then asks the voice for.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "interfaces/glossel.h"
#include "runemap/rus_letter_converter.h"
#include "sonalik/sonalik_phonetics.h"

struct SpokenWord {
  std::string letters;  // as the text analysis gives them
  Interval span{};      // in the analysed text
  std::vector<std::string> phonemes;
  // One allophone name per phoneme.
  std::vector<std::string> allophones;
};

struct SpokenSyntagma {
  std::vector<SpokenWord> words;
  // False when the phonetics refused the syntagma's phoneme list.
  bool valid = true;
};

// The recordings' texts put "+" before a stressed vowel; the text analysis
// takes it after the stressed letter.
std::string StressMarksAfterVowels(const std::string& text);

class RussianFrontEnd {
 public:
  // The text-analysis object comes from the registry; Ready() tells
  // whether it could be made.
  RussianFrontEnd();
  ~RussianFrontEnd();
  RussianFrontEnd(const RussianFrontEnd&) = delete;
  RussianFrontEnd& operator=(const RussianFrontEnd&) = delete;

  bool Ready() const { return analysis_ != nullptr; }

  // The syntagmas of a Windows-1251 text; "+" after a letter stresses it.
  // Words without phonemes are left out. Safe to call from several threads.
  std::vector<SpokenSyntagma> Analyze(const std::string& text) const;
  // The phoneme string of one word alone with the given stressed letter
  // (-1 none), "" when it has none.
  std::string WordPhonemes(const std::string& letters, int stress) const;
  // Allophones of a syntagma given as word phoneme strings, one list per
  // word; false when the phonetics refuses the list.
  bool Allophones(const std::vector<std::string>& words,
                  std::vector<std::vector<std::string>>& out) const;

  const SonalikPhonetics& Phonetics() const { return phonetics_; }

 private:
  ILMPrepToSpeak2* analysis_ = nullptr;
  mutable std::mutex analysisLock_;
  RusLetterConverter letters_;
  SonalikPhonetics phonetics_;
};
