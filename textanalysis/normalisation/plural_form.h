// Which of the three Russian plural forms a counted word takes after a
// number: "рубль" (one), "рубля" (few), "рублей" (many).
#pragma once

#include <string>

enum class PluralForm { kOne = 0, kFew = 1, kMany = 2 };

// By the last one or two characters of a digit string: one for a final 1
// but not 11, few for a final 2 to 4 but not 12 to 14, many otherwise (an
// empty string included).
PluralForm PluralFormOf(const std::string& digits);

// The ending a masculine noun on a hard consonant takes in the form:
// "доллар", "доллара", "долларов".
const char* CountedEnding(PluralForm form);

// The form's entry of a one/few/many triple.
template <typename T>
const T& ChoosePlural(PluralForm form, const T& one, const T& few, const T& many) {
  return form == PluralForm::kOne ? one : form == PluralForm::kFew ? few : many;
}
