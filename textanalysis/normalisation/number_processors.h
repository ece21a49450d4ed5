// The processors that read numbers: ordinals with a written ending, dollar
// amounts, Roman numerals and plain, signed and decimal numbers.
#pragma once

#include <map>
#include <set>
#include <string>

#include "textanalysis/chain/text_processor.h"

#include "textanalysis/normalisation/grammar_tables.h"

// Turns a Roman numeral token into its digits for the number readers after
// it; never handles a token itself.
class RomanNumeralProcessor : public TextProcessor {
 public:
  RomanNumeralProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  std::map<std::string, std::string> numerals_;
};

struct ShortEnding;
struct DateNoun;

// "21-й", "3-е", "1-а": the number with its written ending.
class OrdinalNumberProcessor : public TextProcessor {
 public:
  OrdinalNumberProcessor();
  int Init(LinguisticResources* resources) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  // The ending "-е" or "-м" stands for here ("1-е место" but "90-е годы";
  // "стал 2-м" but "на 2-м этаже"); null for the usual one.
  const ShortEnding* ChosenEnding(const std::vector<TextToken>& tokens, int index,
                                  int endingIndex) const;

  std::set<std::string> endings_;
  const GrammarTables* grammar_ = nullptr;
};

// "$21", "5.05$": dollars and cents.
class CurrencyProcessor : public TextProcessor {
 public:
  CurrencyProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;
};

// A dollar amount from tokens[index]: the dollar and cent digits as written
// and the number of tokens it takes. False when there is none.
bool MatchDollarAmount(const std::vector<TextToken>& tokens, int index, std::string& dollars,
                       std::string& cents, int& count);
// "пять долларов пять центов"; false when a number cannot be read.
bool SpellDollarAmount(std::string dollars, std::string cents, std::string& text);

// Signs, whole and decimal numbers, agreeing with the word after them or the
// preposition before them, or with the gender a tag sets.
class CardinalNumberProcessor : public TextProcessor {
 public:
  CardinalNumberProcessor();
  int Init(LinguisticResources* resources) override;
  void OnTag(const std::set<std::string>& tags) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  // 3 when tokens[index..] is a decimal number, else 1.
  int DecimalLength(const std::vector<TextToken>& tokens, int index) const;
  // The form of the noun at tokens[index] ("1,5 минуты" reads "полторы");
  // null for a word the forms do not know ("1,5 был" is no count).
  const GrammarForm* NounAfter(const std::vector<TextToken>& tokens, int index) const;
  // The word whose form the number at tokens[index] takes.
  std::string NextWord(const std::vector<TextToken>& tokens, int index) const;
  // The ordinal form of a Roman numeral at tokens[index], from the noun
  // after or before it or the name it follows.
  GrammarForm RomanForm(const std::vector<TextToken>& tokens, int index) const;

  // The ordinal form of the number at tokens[index] (`words`) before the
  // year or century abbreviation after it; false when it is no date.
  bool DateForm(const DateNoun& noun, const std::vector<TextToken>& tokens, int index,
                const std::string& words, GrammarForm& form) const;

  const GrammarTables* grammar_ = nullptr;
  int gender_ = 1;
  bool genderSet_ = false;
};
