// Processors for single letters, abbreviations in capitals and words in
// Latin letters.
#pragma once

#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/letter_tables.h"

// A sentence that is one letter (and at most a punctuation mark) is read as
// the letter's name.
class LetterNameProcessor : public TextProcessor {
 public:
  LetterNameProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  ByteTable names_;
};

// A word in Cyrillic capitals that cannot be read as a word (no vowel, or
// one at its edge) is spelled letter by letter.
class CyrillicAbbreviationProcessor : public TextProcessor {
 public:
  CyrillicAbbreviationProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  ByteTable names_;
};

// The same for Latin capitals.
class LatinAbbreviationProcessor : public TextProcessor {
 public:
  LatinAbbreviationProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  ByteTable names_;
};

// Any other Latin word is read as if written in Cyrillic letters.
class LatinToCyrillicProcessor : public TextProcessor {
 public:
  LatinToCyrillicProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  ByteTable map_;
};

// The names of the characters, each after a blank: " эф эс бэ".
std::string SpellOut(const std::string& text, const ByteTable& names);
