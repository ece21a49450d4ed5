#include "textanalysis/normalisation/context_tag_processor.h"

#include <cstring>

#include "foundation/char_classes.h"
#include "foundation/tag_table.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/normalisation/markup_tables.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

constexpr const char* kPrefix = "Context=";

constexpr const char* kMapKeys = "QWERTYUIOPASDFGHJKLZXCVBNM";
constexpr const char* kMapValues = "КВЕРТУУИОПАСДФГХЖКЛЗХКВБНМ";

struct Reading {
  const char* written;
  const char* said;
};
constexpr Reading kAddressReadings[] = {
    {"http", " ха тэ тэ пэ,"}, {"www", " вэ вэ вэ,"}, {"ftp", " эф тэ пэ,"},
    {"file", " файл,"},        {"about", " эбаут,"},  {"@", " эт,"},
    {".", " точка,"},          {"-", " тире,"},       {"+", " плюс,"},
    {"_", " подчёркивание,"},  {"/", " слэш,"}};

bool IsDateSeparator(const std::string& text) {
  return text == "." || text == "-" || text == "/";
}

int ToInt(const std::string& digits) {
  // Dates and times never need more than a few digits.
  if (!IsDigitString(digits) || digits.size() > 6) return -1;
  return std::stoi(digits);
}

bool DayWords(const std::string& digits, std::string& words) {
  const int day = ToInt(digits);
  return day >= 1 && day <= 31 && NumeralSpeller::Ordinal(digits, "ое", "ье", words);
}

bool YearWords(const std::string& digits, bool nominative, std::string& words) {
  if (!IsDigitString(digits)) return false;
  if (!nominative) return NumeralSpeller::Ordinal(digits, "ого", "ьего", words, true);
  const int units = digits.back() - '0';
  const int tens = digits.size() > 1 ? digits[digits.size() - 2] - '0' : 0;
  const bool stressedEnding = (tens != 1 && (units == 2 || units == 6 || units == 7 ||
                                             units == 8)) ||
                              (units == 0 && tens == 4);
  return NumeralSpeller::Ordinal(digits, stressedEnding ? "ой" : "ый", "ий", words, true);
}

std::string MonthWords(const std::string& digits, int form) {
  return MonthNameTable::Name(ToInt(digits), form);
}

// The sign of a number reading: "плюс " or "минус " and the texts after it.
std::string TakeSign(std::vector<std::string>& texts) {
  if (texts.empty() || (texts[0] != "+" && texts[0] != "-")) return "";
  const std::string sign = texts[0] == "+" ? "плюс " : "минус ";
  texts.erase(texts.begin());
  return sign;
}

}  // namespace

ContextTagProcessor::ContextTagProcessor() : TextProcessor(kMarkupProcessorPriority) {
  for (size_t i = 0; i < std::strlen(kMapKeys); ++i) {
    const std::string cyrillic(1, kMapValues[i]);
    std::string small = cyrillic;
    LowerString(small);
    letterMap_[static_cast<unsigned char>(kMapKeys[i])] = cyrillic;
    letterMap_[static_cast<unsigned char>(LatinToLower(static_cast<unsigned char>(kMapKeys[i])))] =
        small;
  }
}

void ContextTagProcessor::OnTag(const std::set<std::string>& tags) {
  active_ = false;
  value_.clear();
  for (const std::string& tag : tags)
    if (tag.compare(0, std::strlen(kPrefix), kPrefix) == 0) {
      active_ = true;
      value_ = tag.substr(std::strlen(kPrefix));
      break;
    }
}

bool ContextTagProcessor::ReadDate(const std::string& value, const std::vector<std::string>& t,
                                   std::string& text) {
  std::string day, year;
  const size_t n = t.size();
  if (value == "date_year") {
    if (n != 1 || !YearWords(t[0], true, year)) return false;
    text = year + " год";
    return true;
  }
  if (value == "date_mdy" || value == "date_dmy" || value == "date_ymd") {
    if (n != 5 || !IsDateSeparator(t[1]) || !IsDateSeparator(t[3])) return false;
    const std::string& d = value == "date_mdy" ? t[2] : value == "date_dmy" ? t[0] : t[4];
    const std::string& m = value == "date_dmy" ? t[2] : value == "date_mdy" ? t[0] : t[2];
    const std::string& y = value == "date_ymd" ? t[0] : t[4];
    const std::string month = MonthWords(m, MonthNameTable::kGenitive);
    if (month.empty() || !DayWords(d, day) || !YearWords(y, false, year)) return false;
    text = day + " " + month + ", " + year + " года";
    return true;
  }
  if (n != 3 || !IsDateSeparator(t[1])) return false;
  if (value == "date_ym" || value == "date_my") {
    const std::string& m = value == "date_ym" ? t[2] : t[0];
    const std::string& y = value == "date_ym" ? t[0] : t[2];
    const std::string month = MonthWords(m, MonthNameTable::kNominative);
    if (month.empty() || !YearWords(y, false, year)) return false;
    text = month + " " + year + " года";
    return true;
  }
  if (value == "date_dm" || value == "date_md") {
    const std::string& d = value == "date_dm" ? t[0] : t[2];
    const std::string& m = value == "date_dm" ? t[2] : t[0];
    const std::string month = MonthWords(m, MonthNameTable::kGenitive);
    if (month.empty() || !DayWords(d, day)) return false;
    text = day + " " + month;
    return true;
  }
  return false;
}

bool ContextTagProcessor::ReadTime(const std::vector<std::string>& texts, std::string& text) {
  if (texts.empty() || texts.size() > 6) return false;
  std::vector<std::string> numbers;
  for (const std::string& t : texts) {
    if (IsDigitString(t))
      numbers.push_back(t);
    else if (t != ":" && t != "'" && t != "''")
      return false;
  }
  if (numbers.empty() || numbers.size() > 3) return false;
  struct Unit {
    const char *one, *few, *many;
    int gender;
  };
  static constexpr Unit kUnits[3] = {
      {"час", "часа", "часов", NumeralSpeller::kMasculine},
      {"минута", "минуты", "минут", NumeralSpeller::kFeminine},
      {"секунда", "секунды", "секунд", NumeralSpeller::kFeminine}};
  text.clear();
  for (size_t i = 0; i < numbers.size(); ++i) {
    std::string words;
    if (!NumeralSpeller::Number(numbers[i], words, kUnits[i].gender)) return false;
    if (!text.empty()) text += ", ";
    text += words + " " +
            ChoosePlural(PluralFormOf(numbers[i]), kUnits[i].one, kUnits[i].few, kUnits[i].many);
  }
  return true;
}

bool ContextTagProcessor::ReadNumber(const std::string& value,
                                     const std::vector<std::string>& texts, std::string& text) {
  std::vector<std::string> t = texts;
  const std::string sign = TakeSign(t);
  std::string words;
  if (value == "number_cardinal" || value == "number_digit") {
    if (t.size() != 1) return false;
    const bool read = value == "number_cardinal" ? NumeralSpeller::Number(t[0], words)
                                                 : NumeralSpeller::DigitByDigit(t[0], words);
    if (!read) return false;
    text = sign + words;
    return true;
  }
  if (t.size() != 3 || !IsDigitString(t[0]) || !IsDigitString(t[2])) return false;
  if (value == "number_fraction") {
    if (t[1] != "/") return false;
    const std::string& numerator = t[0];
    const bool single = numerator.back() == '1' &&
                        (numerator.size() < 2 || numerator[numerator.size() - 2] != '1');
    std::string denominator;
    if (!NumeralSpeller::Number(numerator, words, NumeralSpeller::kFeminine) ||
        !NumeralSpeller::Ordinal(t[2], single ? "ая" : "ых", single ? "ья" : "ьих", denominator,
                                 true))
      return false;
    text = sign + words + " " + denominator;
    return true;
  }
  if (t[1] != "." && t[1] != ",") return false;
  if (value == "number_decimal") {
    const std::string denominator = DenominatorTable::ForPlaces(static_cast<int>(t[2].size()));
    std::string fraction;
    const std::string lastGroup = t[0].substr(t[0].size() > 3 ? t[0].size() - 3 : 0);
    if (denominator.empty() || !NumeralSpeller::Number(t[0], words, NumeralSpeller::kFeminine) ||
        !NumeralSpeller::Number(t[2], fraction, NumeralSpeller::kFeminine))
      return false;
    text = sign + words + " " +
           NumeralSpeller::ScaleWord(lastGroup, NumeralSpeller::kWholeUnitPosition) + " " +
           fraction + " " + denominator;
    return true;
  }
  if (value == "number_decimal_detailed") {
    std::string fraction;
    if (!NumeralSpeller::Number(t[0], words) || !NumeralSpeller::NumberWithZeros(t[2], fraction))
      return false;
    text = sign + words + (t[1] == "." ? " точка " : " запятая ") + fraction;
    return true;
  }
  return false;
}

bool ContextTagProcessor::ReadPhone(const std::vector<std::string>& texts, std::string& text) {
  text.clear();
  for (const std::string& t : texts) {
    std::string words;
    if (t == "+")
      words = "плюс";
    else if (t == "-" || t == "(" || t == ")" || t == ".")
      continue;
    else if (!NumeralSpeller::NumberWithZeros(t, words))
      return false;
    if (!text.empty()) text += ", ";
    text += words;
  }
  return !text.empty();
}

bool ContextTagProcessor::ReadAddress(const std::vector<std::string>& texts,
                                      std::string& text) const {
  text.clear();
  for (const std::string& t : texts) {
    std::string lower = t;
    LatinLowerString(lower);
    bool known = false;
    for (const Reading& r : kAddressReadings)
      if (lower == r.written) {
        text += r.said;
        known = true;
        break;
      }
    if (known || t.empty()) continue;
    if (IsLatinLetter(static_cast<unsigned char>(t[0]))) {
      text += ' ';
      for (char c : t) text += ByteEntry(letterMap_, c);
      text += ',';
    } else if (IsDigitString(t)) {
      std::string digits;
      NumeralSpeller::DigitByDigit(t, digits);
      text += " " + digits + ",";
    }
  }
  return !text.empty();
}

bool ContextTagProcessor::Read(const std::vector<TextToken>& tokens, int index, int count,
                               std::string& text) const {
  std::vector<std::string> texts;
  for (int i = index; i < index + count; ++i) texts.push_back(tokens[i].text);
  if (value_.compare(0, 5, "date_") == 0) return ReadDate(value_, texts, text);
  if (value_ == "time" || value_ == "time_detailed") return ReadTime(texts, text);
  if (value_.compare(0, 7, "number_") == 0) return ReadNumber(value_, texts, text);
  if (value_ == "phone_number") return ReadPhone(texts, text);
  if (value_ == "web_url" || value_ == "Email_Address") return ReadAddress(texts, text);
  if (value_ == "currency") {
    std::string dollars, cents;
    int matched = 0;
    return MatchDollarAmount(tokens, index, dollars, cents, matched) && matched == count &&
           SpellDollarAmount(dollars, cents, text);
  }
  return false;
}

int ContextTagProcessor::Process(std::vector<TextToken>& tokens, int index,
                                 std::vector<TextToken>& out, int* consumed) {
  if (!active_) return Decline(out, consumed);
  const UI8 boundary = tagTable_ != nullptr
                           ? tagTable_->NextBoundary(tokens[index].position.start)
                           : kNoPosition;
  int count = 1;
  while (index + count < static_cast<int>(tokens.size()) &&
         tokens[index + count].position.start < boundary)
    ++count;
  std::string text;
  if (!Read(tokens, index, count, text)) {
    active_ = false;
    return Decline(out, consumed);
  }
  return Handle(out, consumed, SpanToken(tokens, index, index + count - 1, text), count);
}
