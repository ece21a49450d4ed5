#include "textanalysis/normalisation/plural_form.h"

PluralForm PluralFormOf(const std::string& digits) {
  if (digits.empty()) return PluralForm::kMany;
  const int units = digits.back() - '0';
  const int tens = digits.size() > 1 ? digits[digits.size() - 2] - '0' : 0;
  if (tens == 1) return PluralForm::kMany;
  if (units == 1) return PluralForm::kOne;
  if (units >= 2 && units <= 4) return PluralForm::kFew;
  return PluralForm::kMany;
}

const char* CountedEnding(PluralForm form) {
  return ChoosePlural<const char*>(form, "", "а", "ов");
}
