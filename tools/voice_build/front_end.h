// The builder's text analysis: words of a text, their stresses, phonemes of
// sub-language 1 and the allophone names the engine would ask the voice
// for. Analyze is the one entry to swap for the real text-analysis server.
#pragma once

#include <string>
#include <vector>

#include "runemap/rus_letter_converter.h"
#include "sonalik/sonalik_phonetics.h"
#include "tools/voice_build/stress_lexicon.h"

struct TextWord {
  std::string letters;  // Windows-1251 small letters
  int stress = -1;      // letter index of the stressed vowel, -1 none
};
using TextSyntagma = std::vector<TextWord>;

struct SpokenWord {
  std::string letters;
  int stress = -1;
  std::vector<std::string> phonemes;
  // One allophone name per phoneme.
  std::vector<std::string> allophones;
};

struct SpokenSyntagma {
  std::vector<SpokenWord> words;
  // False when the phonetics refused the syntagma's phoneme list.
  bool valid = true;
};

// Words and syntagmas of a Windows-1251 text: punctuation ends a syntagma,
// a hyphen inside a word splits it, "+" before a vowel marks its stress;
// other words take their stress from the lexicon (first reading), else from
// "ё".
std::vector<TextSyntagma> SplitText(const std::string& text, const StressLexicon& lexicon);

class RussianFrontEnd {
 public:
  explicit RussianFrontEnd(const StressLexicon& lexicon);
  RussianFrontEnd(const RussianFrontEnd&) = delete;
  RussianFrontEnd& operator=(const RussianFrontEnd&) = delete;

  std::vector<SpokenSyntagma> Analyze(const std::string& text) const;
  // Phonemes (with the rules at word joints) and allophones of words whose
  // stresses are given. Words without phonemes are left out.
  SpokenSyntagma Transcribe(const TextSyntagma& words) const;
  // The phoneme string of one word, "" when it has none.
  std::string WordPhonemes(const std::string& letters, int stress) const;
  // Allophones of a syntagma given as word phoneme strings, one list per
  // word; false when the phonetics refuses the list.
  bool Allophones(const std::vector<std::string>& words,
                  std::vector<std::vector<std::string>>& out) const;

  const SonalikPhonetics& Phonetics() const { return phonetics_; }

 private:
  const StressLexicon& lexicon_;
  RusLetterConverter letters_;
  SonalikPhonetics phonetics_;
};
