#include "textanalysis/normalisation/number_readings.h"

#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/markup_tables.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

constexpr int kCaseCount = 6;
constexpr int kFeminine = 0;

// The feminine adjective endings the fraction words take, by case: after
// one ("одна целая", "одной десятой") and after other numbers ("двух
// целых", "пяти десятых").
constexpr const char* kOneEndings[kCaseCount] = {"ая", "ой", "ой", "ую", "ой", "ой"};
constexpr const char* kManyEndings[kCaseCount] = {"ых", "ых", "ым", "ых", "ыми", "ых"};
// After "трет" ("одна третья", "двух третьих").
constexpr const char* kOneEndingsAfterThree[kCaseCount] = {"ья", "ьей", "ьей", "ью", "ьей", "ьей"};
constexpr const char* kManyEndingsAfterThree[kCaseCount] = {"ьих", "ьих", "ьим", "ьих", "ьими",
                                                            "ьих"};

// Past millionths the denominator words are more than a listener follows.
constexpr size_t kMostDecimalPlaces = 6;

// Ordinal endings by case: neuter (the day of a date, "первое", "первого")
// and masculine (its year).
constexpr const char* kNeuterEndings[kCaseCount] = {"ое", "ого", "ому", "ое", "ым", "ом"};
constexpr const char* kNeuterEndingsAfterThree[kCaseCount] = {"ье", "ьего", "ьему",
                                                              "ье", "ьим",  "ьем"};

int SafeCase(int grammarCase) {
  return grammarCase >= 0 && grammarCase < kCaseCount ? grammarCase : 0;
}

// A cardinal in the case: masculine or feminine, for the number class.
bool Cardinal(const std::string& digits, int gender, int grammarCase,
              const GrammarTables* grammar, std::string& words) {
  if (!NumeralSpeller::Number(digits, words, gender)) return false;
  if (grammar == nullptr || grammarCase == 0) return true;
  const bool one = PluralFormOf(digits) == PluralForm::kOne;
  const bool direct = grammarCase == 3;
  grammar->InflectCardinal(words, GrammarForm{gender, one || direct ? 0 : 1, grammarCase, 0});
  return true;
}

std::string StripZeros(const std::string& digits) {
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

bool SpellDecimal(const std::string& whole, const std::string& fraction, bool beforeNoun,
                  bool feminineNoun, int grammarCase, const GrammarTables* grammar,
                  std::string& words) {
  const size_t places = fraction.size();
  if (places == 0 || places > kMostDecimalPlaces) return false;
  // "десятых" without its ending.
  std::string denominator = DenominatorTable::ForPlaces(static_cast<int>(places));
  denominator.resize(denominator.size() - 2);
  const int c = SafeCase(grammarCase);
  if (beforeNoun && StripZeros(whole) == "1" && fraction == "5") {
    words = c == 0 || c == 3 ? (feminineNoun ? "полторы" : "полтора") : "полутора";
    return true;
  }
  std::string wholeWords;
  std::string numerator;
  const std::string wholeDigits = StripZeros(whole);
  const std::string fractionDigits = StripZeros(fraction);
  if (!Cardinal(wholeDigits, kFeminine, c, grammar, wholeWords) ||
      !Cardinal(fractionDigits, kFeminine, c, grammar, numerator))
    return false;
  const bool wholeOne = PluralFormOf(wholeDigits) == PluralForm::kOne;
  const bool fractionOne = PluralFormOf(fractionDigits) == PluralForm::kOne;
  words = wholeWords + " цел" + (wholeOne ? kOneEndings[c] : kManyEndings[c]) + " " + numerator +
          " " + denominator + (fractionOne ? kOneEndings[c] : kManyEndings[c]);
  return true;
}

bool SpellFraction(const std::string& numerator, const std::string& denominator,
                   int grammarCase, const GrammarTables* grammar, std::string& words) {
  const int c = SafeCase(grammarCase);
  std::string top;
  if (!Cardinal(numerator, kFeminine, c, grammar, top)) return false;
  const bool one = PluralFormOf(numerator) == PluralForm::kOne;
  std::string bottom;
  if (!NumeralSpeller::Ordinal(denominator, one ? kOneEndings[c] : kManyEndings[c],
                               one ? kOneEndingsAfterThree[c] : kManyEndingsAfterThree[c],
                               bottom, true))
    return false;
  words = top + " " + bottom;
  return true;
}

bool SpellTime(const std::string& hours, const std::string& minutes, int grammarCase,
               const GrammarTables* grammar, std::string& words) {
  if (hours.empty() || hours.size() > 2 || minutes.size() != 2 || !IsDigitString(hours) ||
      !IsDigitString(minutes))
    return false;
  const int h = std::stoi(hours);
  const int m = std::stoi(minutes);
  if (h > 24 || m > 59) return false;
  const int c = SafeCase(grammarCase);
  constexpr int kMasculine = 1;
  std::string hourWords;
  if (!Cardinal(StripZeros(hours), kMasculine, c, grammar, hourWords)) return false;
  // "десять ноль пять", "десять ноль ноль".
  std::string minuteWords;
  if (minutes == "00") {
    minuteWords = "ноль ноль";
  } else {
    if (!Cardinal(StripZeros(minutes), kMasculine, c, grammar, minuteWords)) return false;
    if (minutes[0] == '0') minuteWords = "ноль " + minuteWords;
  }
  words = hourWords + " " + minuteWords;
  return true;
}

bool SpellDate(const std::string& day, const std::string& month, const std::string& year,
               int grammarCase, std::string& words) {
  if (day.empty() || day.size() > 2 || month.empty() || month.size() > 2 || year.size() != 4 ||
      !IsDigitString(day) || !IsDigitString(month) || !IsDigitString(year))
    return false;
  const int d = std::stoi(day);
  const std::string monthName = MonthNameTable::Name(std::stoi(month), MonthNameTable::kGenitive);
  if (d < 1 || d > 31 || monthName.empty()) return false;
  const int c = SafeCase(grammarCase);
  std::string dayWords;
  std::string yearWords;
  if (!NumeralSpeller::Ordinal(StripZeros(day), kNeuterEndings[c], kNeuterEndingsAfterThree[c],
                               dayWords) ||
      !NumeralSpeller::Ordinal(year, "ого", "ьего", yearWords, true))
    return false;
  words = dayWords + " " + monthName + " " + yearWords + " года";
  return true;
}
