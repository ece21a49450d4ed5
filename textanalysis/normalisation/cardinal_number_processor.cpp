#include <algorithm>

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/number_readings.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

bool StartsWithDigit(const std::string& text) {
  return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

bool IsDecimalSeparator(const std::string& text) { return text == "." || text == ","; }

bool IsNumberAt(const std::vector<TextToken>& tokens, int index) {
  return index >= 0 && index < static_cast<int>(tokens.size()) && tokens[index].IsNumber();
}

// tokens[index], a mark written tight after it and a number written tight
// after that, which no second such mark follows ("10:30", "3/4", but not
// "12/05/2023").
bool IsMarkedPair(const std::vector<TextToken>& tokens, int index, const char* mark) {
  const int count = static_cast<int>(tokens.size());
  if (index + 2 >= count || tokens[index].HasLineBreakOrSpaceAfter() ||
      tokens[index + 1].text != mark || tokens[index + 1].HasLineBreakOrSpaceAfter() ||
      !IsDigitString(tokens[index].text) || !IsDigitString(tokens[index + 2].text))
    return false;
  return index + 3 >= count || tokens[index + 2].HasLineBreakOrSpaceAfter() ||
         tokens[index + 3].text != mark;
}

// "12.05.2023": three numbers joined by tight points.
bool IsDate(const std::vector<TextToken>& tokens, int index) {
  if (index + 4 >= static_cast<int>(tokens.size())) return false;
  for (int i = index; i < index + 4; ++i)
    if (tokens[i].HasLineBreakOrSpaceAfter()) return false;
  return tokens[index + 1].text == "." && tokens[index + 3].text == "." &&
         tokens[index + 2].IsNumber() && tokens[index + 4].IsNumber();
}

// "3/4", "1/2" and "3/2" are fractions; "12/5" and "1/05" (dates) are not.
bool IsFraction(const std::string& numerator, const std::string& denominator) {
  if (numerator.size() > 3 || denominator.size() > 3 || denominator[0] == '0') return false;
  const int top = std::stoi(numerator);
  const int bottom = std::stoi(denominator);
  return bottom > 1 && (top < bottom || (top <= 10 && bottom <= 10));
}

// tokens[index] is written with one blank after it and nothing else before
// the next token (no line end, no second blank).
bool HasOneBlankAfter(const std::vector<TextToken>& tokens, int index) {
  const TextToken& token = tokens[index];
  return token.RightFlags() == TextToken::kSpaceAfter && index + 1 < static_cast<int>(tokens.size()) &&
         tokens[index + 1].position.start == EndOf(token.position) + 1;
}

// tokens[index] is a no-break space written tight between two tokens.
bool IsTightNoBreakSpace(const std::vector<TextToken>& tokens, int index) {
  return index > 0 && index + 1 < static_cast<int>(tokens.size()) &&
         tokens[index].text == "\xA0" && tokens[index - 1].RightFlags() == 0 &&
         tokens[index].RightFlags() == 0 && tokens[index + 1].LeftFlags() == 0;
}

bool IsDigitGroup(const TextToken& token, size_t minSize, size_t maxSize) {
  return token.IsNumber() && !token.IsCapitalFirst() && IsDigitString(token.text) &&
         token.text.size() >= minSize && token.text.size() <= maxSize;
}

// The last token of a number typeset in groups of three digits ("50 000",
// "1 000 000"), each group after one blank or a no-break space; `index`
// when the number at `index` is no such number.
int LastDigitGroup(const std::vector<TextToken>& tokens, int index) {
  const int count = static_cast<int>(tokens.size());
  // The token after the blank or no-break space after tokens[i], or -1.
  const auto afterSpace = [&](int i) {
    if (IsTightNoBreakSpace(tokens, i + 1)) return i + 2;
    return HasOneBlankAfter(tokens, i) ? i + 1 : -1;
  };
  if (!IsDigitGroup(tokens[index], 1, 3) || tokens[index].text[0] == '0') return index;
  // A run of numbers with a group of other than three digits in it is a
  // run of numbers ("12 34 567", "8 800 555 35 35").
  if ((index > 0 && afterSpace(index - 1) == index && IsNumberAt(tokens, index - 1)) ||
      (index > 1 && afterSpace(index - 2) == index && IsNumberAt(tokens, index - 2)))
    return index;
  int last = index;
  for (int next = afterSpace(last); next >= 0 && next < count && tokens[next].IsNumber();
       next = afterSpace(last)) {
    if (!IsDigitGroup(tokens[next], 3, 3)) return index;
    last = next;
  }
  // A fraction or an ending written tight after the last group ("1 000,5",
  // "10 000-й") is no part of a grouped number.
  if (last + 1 < count && tokens[last].RightFlags() == 0) {
    const TextToken& after = tokens[last + 1];
    const bool fraction = IsDecimalSeparator(after.text) && after.RightFlags() == 0 &&
                          IsNumberAt(tokens, last + 2);
    if (fraction || after.text == "-" || after.IsRussianWord() || after.IsLatinWord())
      return index;
  }
  return last;
}

}  // namespace

// The noun a year or century abbreviation after a number stands for, in
// every case, singular ("г.", "в.") and plural ("гг.", "вв.").
struct DateNoun {
  const char* abbreviation;
  bool century;
  int number;
  const char* forms[6];
};

namespace {

constexpr DateNoun kDateNouns[] = {
    {"г", false, 0, {"год", "го+да", "го+ду", "год", "го+дом", "году+"}},
    {"гг", false, 1, {"го+ды", "годо+в", "года+м", "го+ды", "года+ми", "года+х"}},
    {"в", true, 0, {"век", "ве+ка", "ве+ку", "век", "ве+ком", "ве+ке"}},
    {"вв", true, 1, {"века+", "веко+в", "века+м", "века+", "века+ми", "века+х"}},
};

// The year or century abbreviation written after tokens[index] ("1945 г.",
// "XVIII в."), its full stop the next token; null when there is none.
const DateNoun* DateNounAfter(const std::vector<TextToken>& tokens, int index) {
  if (index + 2 >= static_cast<int>(tokens.size())) return nullptr;
  const TextToken& word = tokens[index + 1];
  const TextToken& stop = tokens[index + 2];
  if (stop.text != "." || word.HasLineBreakOrSpaceAfter()) return nullptr;
  for (const DateNoun& noun : kDateNouns)
    if (word.text == noun.abbreviation) return &noun;
  return nullptr;
}

// The case of a century after the word `previous`: the prepositional after
// "в" ("в XVIII веке"), else the case the word gives ("до XV века").
int CenturyCase(std::string previous) {
  LowerString(previous);
  if (previous == "в" || previous == "во") return 5;
  return std::max(GrammarTables::PrepositionCase(previous), 0);
}

// "18 в.", but not "220 в." (volts).
bool IsCenturyNumber(const std::string& digits) {
  return digits.size() <= 2 && IsDigitString(digits) && std::stoi(digits) >= 1 &&
         std::stoi(digits) <= 21;
}

}  // namespace

CardinalNumberProcessor::CardinalNumberProcessor()
    : TextProcessor(ChainPriority(ChainSlot::CardinalNumber)) {}

int CardinalNumberProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    grammar_ = static_cast<const GrammarTables*>(
        resources->GetResource(LinguisticResources::kGrammarTables));
  return 1;
}

void CardinalNumberProcessor::OnTag(const std::set<std::string>& tags) {
  genderSet_ = true;
  if (tags.count("Context=gender_masculine"))
    gender_ = 1;
  else if (tags.count("Context=gender_feminine"))
    gender_ = 0;
  else if (tags.count("Context=gender_neuter"))
    gender_ = 2;
  else
    genderSet_ = false;
}

int CardinalNumberProcessor::DecimalLength(const std::vector<TextToken>& tokens,
                                           int index) const {
  const int count = static_cast<int>(tokens.size());
  if (index + 2 >= count || tokens[index].HasLineBreakOrSpaceAfter()) return 1;
  const TextToken& separator = tokens[index + 1];
  const TextToken& fraction = tokens[index + 2];
  if (!IsDecimalSeparator(separator.text) || separator.HasLineBreakOrSpaceAfter() ||
      !StartsWithDigit(fraction.text))
    return 1;
  if (index + 2 == count - 1 || fraction.HasLineBreakOrSpaceAfter()) return 3;
  // "1.2.3" is not one number; but the same mark followed by a blank, a line
  // end or the end of the text closes the sentence ("Пи равно 3.14.").
  const TextToken& after = tokens[index + 3];
  return index + 3 == count - 1 || after.HasLineBreakOrSpaceAfter() || after.text.empty() ||
                 after.text[0] != separator.text[0]
             ? 3
             : 1;
}

const GrammarForm* CardinalNumberProcessor::NounAfter(const std::vector<TextToken>& tokens,
                                                     int index) const {
  if (grammar_ == nullptr || index < 0 || index >= static_cast<int>(tokens.size()))
    return nullptr;
  const std::vector<GrammarForm>* forms = grammar_->TextForms(tokens[index].text);
  return forms != nullptr ? &forms->front() : nullptr;
}

std::string CardinalNumberProcessor::NextWord(const std::vector<TextToken>& tokens,
                                             int index) const {
  const int count = static_cast<int>(tokens.size());
  if (index + 1 >= count) return std::string();
  // The first day of a span takes the month of the last: "с 1 по 5 мая".
  const std::string& next = tokens[index + 1].text;
  if ((next == "по" || next == "до" || next == "-") && index + 3 < count &&
      tokens[index + 2].IsNumber()) {
    const GrammarForm* form = NounAfter(tokens, index + 3);
    if (form != nullptr && form->part == 1 && form->gender == 2 && form->grammarCase == 1) {
      std::string month = tokens[index + 3].text;
      LowerString(month);
      return month;
    }
  }
  return next;
}

GrammarForm CardinalNumberProcessor::RomanForm(const std::vector<TextToken>& tokens,
                                              int index) const {
  constexpr int kOrdinal = 1;
  const int count = static_cast<int>(tokens.size());
  // The noun after it: "XIX века", "к XV веку".
  if (index + 1 < count) {
    GrammarForm form;
    const std::string previous = index > 0 ? tokens[index - 1].text : std::string();
    if (NounAfter(tokens, index + 1) != nullptr &&
        grammar_->ChooseForm("", "", tokens[index + 1].text, previous, form)) {
      if (form.part != kOrdinal) form.number = 0;
      form.part = kOrdinal;
      return form;
    }
  }
  GrammarForm form{NumeralSpeller::kMasculine, 0, 0, kOrdinal};
  // "XIX в." is a century: "в XVIII в." in the prepositional, "до XV в." in
  // the preposition's case.
  if (index + 1 < count && tokens[index + 1].text == "в" && index > 0) {
    form.grammarCase = CenturyCase(tokens[index - 1].text);
    return form;
  }
  if (index == 0) return form;
  const TextToken& before = tokens[index - 1];
  // The noun before it: "том III", "часть II".
  if (const GrammarForm* noun = NounAfter(tokens, index - 1)) {
    form.gender = noun->gender;
    return form;
  }
  // A name: "Екатерина II", "при Иване IV".
  if (before.IsCapitalFirst() && GrammarTables::IsWordText(before.text)) {
    const char last = before.text.back();
    if (last == 'а' || last == 'я') form.gender = NumeralSpeller::kFeminine;
    if (last == 'е') form.grammarCase = 5;
  }
  return form;
}

bool CardinalNumberProcessor::DateForm(const DateNoun& noun, const std::vector<TextToken>& tokens,
                                       int index, const std::string& words,
                                       GrammarForm& form) const {
  const std::string& digits = tokens[index].text;
  const std::string previous = index > 0 ? tokens[index - 1].text : std::string();
  if (!noun.century) {
    // A year takes the case the preposition gives it, the genitive alone.
    const int yearCase = GrammarTables::YearCase(previous, digits);
    if (yearCase >= 0) {
      form = GrammarForm{NumeralSpeller::kMasculine, noun.number, yearCase, 1};
      return true;
    }
    if (!grammar_->ChooseForm(words, digits, "г", previous, form) || form.part != 1) return false;
    form.number = noun.number;
    return form.grammarCase >= 0 && form.grammarCase < 6;
  }
  if (!tokens[index].IsCapitalFirst() && !IsCenturyNumber(digits)) return false;
  form = GrammarForm{NumeralSpeller::kMasculine, noun.number, CenturyCase(previous), 1};
  return true;
}

int CardinalNumberProcessor::Process(std::vector<TextToken>& tokens, int index,
                                     std::vector<TextToken>& out, int* consumed) {
  const int count = static_cast<int>(tokens.size());
  const TextToken& token = tokens[index];
  if ((token.text == "+" || token.text == "-") && !token.HasLineBreakOrSpaceAfter() &&
      token.HasLineBreakOrSpaceBefore() && index + 1 < count && tokens[index + 1].IsNumber())
    return Handle(out, consumed, WithText(token, token.text == "+" ? "плюс" : "минус"), 1);
  // A "-" written tight between two numbers is a range ("2-3 дня"), said as
  // two numbers and not as one hyphenated word. With blanks on both sides it
  // is a dash ("1941 - 1945") and stays a mark.
  if (token.text == "-" && IsNumberAt(tokens, index - 1) && IsNumberAt(tokens, index + 1) &&
      !token.HasLineBreakOrSpaceBefore() && !token.HasLineBreakOrSpaceAfter())
    return Handle(out, consumed, WithText(token, std::string()), 1);
  if (!token.IsNumber()) return Decline(out, consumed);

  const std::string previous = index > 0 ? tokens[index - 1].text : std::string();
  const int governed = GrammarTables::PrepositionCase(previous);
  const int marked = governed < 0 ? 0 : governed;
  std::string text;
  if (IsDate(tokens, index) && SpellDate(token.text, tokens[index + 2].text,
                                         tokens[index + 4].text, marked, text))
    return Handle(out, consumed, SpanToken(tokens, index, index + 4, text), 5);
  if (IsMarkedPair(tokens, index, ":") &&
      SpellTime(token.text, tokens[index + 2].text, marked, grammar_, text))
    return Handle(out, consumed, SpanToken(tokens, index, index + 2, text), 3);
  if (IsMarkedPair(tokens, index, "/") && IsFraction(token.text, tokens[index + 2].text) &&
      SpellFraction(token.text, tokens[index + 2].text, marked, grammar_, text))
    return Handle(out, consumed, SpanToken(tokens, index, index + 2, text), 3);

  const int lastGroup = LastDigitGroup(tokens, index);
  std::string digits = token.text;
  for (int i = index + 1; i <= lastGroup; ++i)
    if (tokens[i].IsNumber()) digits += tokens[i].text;
  const int length = DecimalLength(tokens, index);
  const GrammarForm* counted = length == 3 ? NounAfter(tokens, index + 3) : nullptr;
  if (length == 3 &&
      SpellDecimal(token.text, tokens[index + 2].text, counted != nullptr,
                   counted != nullptr && counted->gender == NumeralSpeller::kFeminine, marked,
                   grammar_, text))
    return Handle(out, consumed, SpanToken(tokens, index, index + 2, text), 3);
  if (!NumeralSpeller::NumberWithZeros(digits, text)) return Decline(out, consumed);
  if (length == 3) {
    const std::string& fraction = tokens[index + 2].text;
    size_t zeros = 0;
    while (zeros < fraction.size() && fraction[zeros] == '0') {
      text += " ноль";
      ++zeros;
    }
    const std::string rest = fraction.substr(zeros);
    if (!rest.empty()) {
      std::string words;
      const bool read = rest.size() < 4 ? NumeralSpeller::NumberWithZeros(rest, words)
                                        : NumeralSpeller::DigitByDigit(rest, words);
      if (!read) return Decline(out, consumed);
      text += " " + words;
    }
  } else if (grammar_ != nullptr) {
    const DateNoun* noun = lastGroup == index ? DateNounAfter(tokens, index) : nullptr;
    GrammarForm form;
    if (noun != nullptr && DateForm(*noun, tokens, index, text, form)) {
      // The noun agrees with the ordinal: "в XVIII веке", "9 мая 1945 года".
      grammar_->InflectNumber(text, form);
      text += ' ';
      text += noun->forms[form.grammarCase];
      // The sentence's full stop stays with it.
      if (index + 3 == count) text += '.';
      return Handle(out, consumed, SpanToken(tokens, index, index + 2, text), 3);
    }
    if (token.IsCapitalFirst()) {
      // A Roman numeral, rewritten into digits, keeps its capitals: it
      // orders ("Николай II", "XIX век", "том III").
      grammar_->InflectNumber(text, RomanForm(tokens, index));
    } else if (genderSet_) {
      GrammarForm form;
      form.gender = gender_;
      grammar_->InflectNumber(text, form);
    } else {
      grammar_->InflectNumberPhrase(text, NextWord(tokens, lastGroup), previous, digits);
    }
  }
  const int last = std::max(lastGroup, index + length - 1);
  return Handle(out, consumed, SpanToken(tokens, index, last, text), last - index + 1);
}
