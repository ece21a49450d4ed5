// Russian words for strings of decimal digits.
#pragma once

#include <string>

class NumeralSpeller {
 public:
  // Gender codes as the grammar tables use them.
  static constexpr int kFeminine = 0;
  static constexpr int kMasculine = 1;
  // The position that asks for the whole-number unit ("целая", "целых").
  static constexpr int kWholeUnitPosition = 1000;

  // One group of one to three digits; `position` counts the digits from the
  // group's first digit to the end of the whole number. Thousands (4 to 6)
  // and the whole-number unit take the feminine "одна", "две".
  static std::string Cardinal(const std::string& group, int position, bool feminine = false);
  // The scale word of a group ("тысяча", "миллиона", ...); "" for the last
  // group and past the largest scale.
  static std::string ScaleWord(const std::string& group, int position);
  // The whole number; gender kFeminine speaks the last group with feminine
  // units. False unless non-empty and all digits.
  static bool Number(const std::string& digits, std::string& words, int gender = kMasculine);
  // Each leading "0" as "ноль", the rest by Number; false when nothing is
  // said.
  static bool NumberWithZeros(const std::string& digits, std::string& words,
                              int gender = kMasculine);
  // Every digit's masculine unit word.
  static bool DigitByDigit(const std::string& digits, std::string& words);

  // The ordinal of the number with the adjective ending `ending` put on its
  // last word's stem ("21", "ый" -> "двадцать первый"); `endingAfterThree`
  // is used where the stem is "трет" ("третий"). With `joinThousands` a
  // round thousand below ten thousand reads as one word ("двухтысячн").
  // False for numbers with twelve or more trailing zeros and for non-digits.
  static bool Ordinal(const std::string& digits, const std::string& ending,
                      const std::string& endingAfterThree, std::string& words,
                      bool joinThousands = false);
  // The stem of a one-digit ordinal ("перв", "втор", ...).
  static const char* DigitStem(int digit);
  // The stem of an ordinal ending in a round number: "10" .. "90" and
  // "100" .. "900"; null for others.
  static const char* RoundStem(const std::string& digits);
  // "тысячн", "миллионн", "миллиардн" for 3-5, 6-8, 9-11 trailing zeros; null
  // otherwise.
  static const char* LargeStem(int trailingZeros);
};
