#include "textanalysis/normalisation/markup_tables.h"

namespace {

constexpr const char* kNominatives[12] = {"январь", "февраль", "март",     "апрель",
                                          "май",    "июнь",    "июль",     "август",
                                          "сентябрь", "октябрь", "ноябрь", "декабрь"};
constexpr const char* kGenitives[12] = {"января", "февраля", "марта",    "апреля",
                                        "мая",    "июня",    "июля",     "августа",
                                        "сентября", "октября", "ноября", "декабря"};

// Forms 2 to 5 repeat the nominative.
constexpr const char* const* kMonthForms[MonthNameTable::kFormCount] = {
    kNominatives, kGenitives, kNominatives, kNominatives, kNominatives, kNominatives};

constexpr const char* kDenominators[DenominatorTable::kCount] = {
    "десятых",          "сотых",            "тысячных",        "десятитысячных",
    "стотысячных",      "миллионных",       "десятимиллионных", "стомиллионных",
    "миллиардных",      "десятимиллиардных", "стомиллиардных",  "триллионных",
    "десятитриллионных", "стотриллионных",  "квадриллионных",  "десятиквадриллионных",
    "стоквадриллионных", "квинтиллионных"};

}  // namespace

std::string MonthNameTable::Name(int month, int form) {
  if (month < 1 || month > 12 || form < 0 || form >= kFormCount) return "";
  return kMonthForms[form][month - 1];
}

std::string DenominatorTable::ForPlaces(int places) {
  if (places < 1 || places > kCount) return "";
  return kDenominators[places - 1];
}
