#include "textanalysis/normalisation/numeral_speller.h"

#include <cstring>

#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

constexpr const char* kUnitsMasculine[10] = {"ноль",  "один",  "два",    "три",    "четыре",
                                             "пять",  "шесть", "семь",   "восемь", "девять"};
constexpr const char* kUnitsFeminine[10] = {"ноль",  "одна",  "две",    "три",    "четыре",
                                            "пять",  "шесть", "семь",   "восемь", "девять"};
constexpr const char* kTeens[10] = {"десять",       "одиннадцать",  "двенадцать",
                                    "тринадцать",   "четырнадцать", "пятнадцать",
                                    "шестнадцать",  "семнадцать",   "восемнадцать",
                                    "девятнадцать"};
constexpr const char* kTens[10] = {"",          "",           "двадцать",   "тридцать",
                                   "сорок",     "пятьдесят",  "шестьдесят", "семьдесят",
                                   "восемьдесят", "девяносто"};
constexpr const char* kHundreds[10] = {"",         "сто",      "двести",    "триста",
                                       "четыреста", "пятьсот", "шестьсот",  "семьсот",
                                       "восемьсот", "девятьсот"};

// Scale words by form (one, few, many), from the thousands up. Numbers
// longer than the last scale are read digit by digit.
struct Scale {
  const char* forms[3];
};
constexpr Scale kScales[] = {
    {{"тысяча", "тысячи", "тысяч"}},
    {{"миллион", "миллиона", "миллионов"}},
    {{"миллиард", "миллиарда", "миллиардов"}},
    {{"триллион", "триллиона", "триллионов"}},
    {{"квадриллион", "квадриллиона", "квадриллионов"}},
    {{"квинтиллион", "квинтиллиона", "квинтиллионов"}},
};
constexpr int kScaleCount = sizeof(kScales) / sizeof(kScales[0]);
constexpr int kLongestScaled = 3 * (kScaleCount + 1);
constexpr Scale kWholeUnit = {{"целая", "целых", "целых"}};

constexpr const char* kDigitStems[10] = {"нулев", "перв",  "втор", "трет",  "четвёрт",
                                         "пят",   "шест",  "седьм", "восьм", "девят"};
constexpr const char* kTenStems[10] = {"",          "десят",      "двадцат",     "тридцат",
                                       "сороков",   "пятидесят",  "шестидесят",  "семидесят",
                                       "восьмидесят", "девяност"};
constexpr const char* kHundredStems[10] = {"",          "сот",       "двухсот",  "трёхсот",
                                           "четырёхсот", "пятисот",  "шестисот", "семисот",
                                           "восьмисот", "девятисот"};
// Genitive prefixes of round thousands read as one word ("двухтысячный").
constexpr const char* kThousandPrefixes[10] = {"",      "",      "двух",  "трёх",   "четырёх",
                                               "пяти",  "шести", "семи",  "восьми", "девяти"};

int Digit(char c) { return c - '0'; }

int FormOf(const std::string& group) { return static_cast<int>(PluralFormOf(group)); }

void AppendWord(std::string& text, const std::string& word) {
  if (word.empty()) return;
  if (!text.empty()) text += ' ';
  text += word;
}

int TrailingZeros(const std::string& digits) {
  int count = 0;
  for (auto it = digits.rbegin(); it != digits.rend() && *it == '0'; ++it) ++count;
  return count;
}

// The words up to the last blank and that blank; "" without a blank.
std::string LeadingWords(const std::string& words) {
  const size_t blank = words.rfind(' ');
  return blank == std::string::npos ? std::string() : words.substr(0, blank + 1);
}

}  // namespace

std::string NumeralSpeller::Cardinal(const std::string& group, int position, bool feminine) {
  if (group.empty()) return "";
  const bool useFeminine =
      feminine || (position >= 4 && position <= 6) || position == kWholeUnitPosition;
  const char* const* units = useFeminine ? kUnitsFeminine : kUnitsMasculine;
  switch (group.size()) {
    case 1:
      return units[Digit(group[0])];
    case 2: {
      const int first = Digit(group[0]), second = Digit(group[1]);
      if (first == 0) return units[second];
      if (first == 1) return kTeens[second];
      std::string words = kTens[first];
      if (second != 0) AppendWord(words, units[second]);
      return words;
    }
    default: {
      const std::string rest = group.substr(group.size() - 2);
      const int first = Digit(group[group.size() - 3]);
      if (first == 0) return Cardinal(rest, position, useFeminine);
      std::string words = kHundreds[first];
      if (rest != "00") AppendWord(words, Cardinal(rest, position, useFeminine));
      return words;
    }
  }
}

std::string NumeralSpeller::ScaleWord(const std::string& group, int position) {
  if (group.empty()) return "";
  if (position == kWholeUnitPosition) return kWholeUnit.forms[FormOf(group)];
  if (position <= 3) return "";
  const int scale = (position - 1) / 3 - 1;
  if (scale >= kScaleCount) return "";
  return kScales[scale].forms[FormOf(group)];
}

bool NumeralSpeller::Number(const std::string& digits, std::string& words, int gender) {
  if (!IsDigitString(digits)) return false;
  // Past the last scale word no reading by groups would be right.
  if (static_cast<int>(digits.size()) > kLongestScaled) return DigitByDigit(digits, words);
  words.clear();
  const int length = static_cast<int>(digits.size());
  int first = 0;
  int groupLength = length % 3 == 0 ? 3 : length % 3;
  while (first < length) {
    const std::string group = digits.substr(first, groupLength);
    const int position = length - first;
    const bool last = position <= 3;
    const std::string groupWords = Cardinal(group, position, last && gender == kFeminine);
    first += groupLength;
    groupLength = 3;
    if (groupWords == "ноль") continue;
    AppendWord(words, groupWords);
    const std::string scale = ScaleWord(group, position);
    if (scale.empty()) continue;
    if (words == "один" || words == "одна")
      words = scale;
    else
      AppendWord(words, scale);
  }
  if (words.empty()) words = "ноль";
  return true;
}

bool NumeralSpeller::NumberWithZeros(const std::string& digits, std::string& words, int gender) {
  if (!IsDigitString(digits)) return false;
  words.clear();
  size_t zeros = 0;
  while (zeros < digits.size() && digits[zeros] == '0') {
    AppendWord(words, "ноль");
    ++zeros;
  }
  if (zeros < digits.size()) {
    std::string rest;
    Number(digits.substr(zeros), rest, gender);
    AppendWord(words, rest);
  }
  return !words.empty();
}

bool NumeralSpeller::DigitByDigit(const std::string& digits, std::string& words) {
  if (!IsDigitString(digits)) return false;
  words.clear();
  for (char c : digits) AppendWord(words, kUnitsMasculine[Digit(c)]);
  return true;
}

const char* NumeralSpeller::DigitStem(int digit) {
  return digit >= 0 && digit <= 9 ? kDigitStems[digit] : nullptr;
}

const char* NumeralSpeller::RoundStem(const std::string& digits) {
  if (digits.size() == 2 && digits[1] == '0' && digits[0] != '0') return kTenStems[Digit(digits[0])];
  if (digits.size() == 3 && digits[1] == '0' && digits[2] == '0' && digits[0] != '0')
    return kHundredStems[Digit(digits[0])];
  return nullptr;
}

const char* NumeralSpeller::LargeStem(int trailingZeros) {
  if (trailingZeros >= 3 && trailingZeros <= 5) return "тысячн";
  if (trailingZeros >= 6 && trailingZeros <= 8) return "миллионн";
  if (trailingZeros >= 9 && trailingZeros <= 11) return "миллиардн";
  return nullptr;
}

bool NumeralSpeller::Ordinal(const std::string& digits, const std::string& ending,
                             const std::string& endingAfterThree, std::string& words,
                             bool joinThousands) {
  std::string cardinal;
  if (!Number(digits, cardinal, kMasculine) || cardinal.empty()) return false;
  const int length = static_cast<int>(digits.size());
  const int units = Digit(digits.back());
  const int tens = length > 1 ? Digit(digits[length - 2]) : 0;
  const int zeros = TrailingZeros(digits);
  const std::string head = LeadingWords(cardinal);
  if (length == 1) {
    words = std::string(kDigitStems[units]) + (units == 3 ? endingAfterThree : ending);
  } else if (units != 0 && tens == 1) {
    if (cardinal.size() < 3 || cardinal.compare(cardinal.size() - 2, 2, "ть") != 0) return false;
    words = cardinal.substr(0, cardinal.size() - 1) + ending;
  } else if (units != 0) {
    words = head + kDigitStems[units] + (units == 3 ? endingAfterThree : ending);
  } else if (zeros == length) {
    words = std::string(kDigitStems[0]) + ending;
  } else if (zeros <= 2) {
    const char* stem = RoundStem(digits.substr(length - zeros - 1));
    if (stem == nullptr) return false;
    words = head + stem + ending;
  } else {
    const char* stem = LargeStem(zeros);
    if (stem == nullptr) return false;
    const int leading = length - zeros;
    if (joinThousands && zeros == 3 && leading == 1) {
      // "двухтысячный", "тысячный"
      words = std::string(kThousandPrefixes[Digit(digits[0])]) + stem + ending;
    } else if (cardinal.find(' ') == std::string::npos) {
      words = stem + ending;
    } else {
      words = cardinal.substr(0, cardinal.rfind(' ')) + " " + stem + ending;
    }
  }
  return true;
}
