#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/token_output.h"

// A short ending written without its vowel: the full ending, and the one
// after "трет".
struct ShortEnding {
  const char* written;
  const char* full;
  const char* afterThree;
};

namespace {

constexpr const char* kEndings[] = {"ая", "ое", "ей", "ему", "ею", "ие", "ий", "ими", "их",
                                    "ою", "ого", "ой", "ому", "ую", "ый", "ые", "ым", "ыми",
                                    "ых", "юю", "яя", "ии", "й",  "е",  "я",  "ю",  "ми",
                                    "му", "м",  "х",  "го", "и",  "ом"};

// Short endings written without their vowel: the full ending, and the one
// after "трет" ("третьего", "третья"). "-е" and "-м" stand for two endings
// each; the words around the number choose (see Process).
constexpr ShortEnding kShortEndings[] = {
    {"е", "ое", "ье"},     {"я", "ая", "ья"},    {"ю", "ую", "ью"},
    {"ми", "ыми", "ьими"}, {"му", "ому", "ьему"}, {"м", "ым", "ьим"},
    {"х", "ых", "ьих"},    {"го", "ого", "ьего"}, {"и", "ии", "ии"}};
// "1990-е годы": the plural; "в 5-м классе": the prepositional.
constexpr ShortEnding kPluralE = {"е", "ые", "ьи"};
constexpr ShortEnding kPrepositionalM = {"м", "ом", "ьем"};

// Words after which "-м" is the prepositional ("в 3-м", "на 5-м").
constexpr const char* kLocativePrepositions[] = {"в", "во", "на", "о", "об", "при"};

// "-й" by the last digit, when the tens digit is not 1.
constexpr const char* kYEndings[10] = {"ой", "ый", "ой", "ий", "ый",
                                       "ый", "ой", "ой", "ой", "ый"};

struct LastDigits {
  int units;
  int tens;  // -1 for a one-digit number
};

LastDigits LastDigitsOf(const std::string& digits) {
  return {digits.back() - '0', digits.size() > 1 ? digits[digits.size() - 2] - '0' : -1};
}

std::string EndingFor(const std::string& written, const LastDigits& d, bool allZeros,
                      const ShortEnding* chosen) {
  if (written == "й") {
    if (d.tens == 1) return "ый";
    // Of the round stems only "сороков" and "нулев" take the stressed
    // ending: "сороковой", but "сотый", "тысячный".
    if (d.units == 0) return d.tens == 4 || allZeros ? "ой" : "ый";
    return kYEndings[d.units];
  }
  const bool afterThree = d.units == 3 && d.tens != 1;
  if (chosen != nullptr) return afterThree ? chosen->afterThree : chosen->full;
  for (const ShortEnding& e : kShortEndings)
    if (written == e.written) return afterThree ? e.afterThree : e.full;
  return written;
}

}  // namespace

OrdinalNumberProcessor::OrdinalNumberProcessor()
    : TextProcessor(ChainPriority(ChainSlot::OrdinalNumber)), endings_(std::begin(kEndings),
                                                                        std::end(kEndings)) {}

int OrdinalNumberProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    grammar_ = static_cast<const GrammarTables*>(
        resources->GetResource(LinguisticResources::kGrammarTables));
  return 1;
}

const ShortEnding* OrdinalNumberProcessor::ChosenEnding(const std::vector<TextToken>& tokens,
                                                        int index, int endingIndex) const {
  const std::string& written = tokens[endingIndex].text;
  if (written != "е" && written != "м") return nullptr;
  const std::vector<GrammarForm>* forms =
      grammar_ != nullptr && endingIndex + 1 < static_cast<int>(tokens.size())
          ? grammar_->TextForms(tokens[endingIndex + 1].text)
          : nullptr;
  const GrammarForm* noun = forms != nullptr ? &forms->front() : nullptr;
  if (written == "е") {
    // A year's decade with no noun: "в 1990-е".
    const std::string& digits = tokens[index].text;
    const bool plural = noun != nullptr ? noun->number == 1
                                        : digits.size() == 4 && digits.back() == '0';
    return plural ? &kPluralE : nullptr;
  }
  if (noun != nullptr) {
    // "в 8-м ряду": any prepositional reading of the noun.
    for (const GrammarForm& form : *forms)
      if (form.grammarCase == 5) return &kPrepositionalM;
    return nullptr;
  }
  if (index == 0) return nullptr;
  std::string previous = tokens[index - 1].text;
  LowerString(previous);
  for (const char* preposition : kLocativePrepositions)
    if (previous == preposition) return &kPrepositionalM;
  return nullptr;
}

int OrdinalNumberProcessor::Process(std::vector<TextToken>& tokens, int index,
                                    std::vector<TextToken>& out, int* consumed) {
  const int count = static_cast<int>(tokens.size());
  const TextToken& number = tokens[index];
  if (!number.IsNumber() || number.HasLineBreakOrSpaceAfter() || index + 1 >= count ||
      tokens[index + 1].HasLineBreakOrSpaceBefore() || !IsDigitString(number.text))
    return Decline(out, consumed);
  int endingIndex = index + 1;
  if (tokens[index + 1].text == "-") {
    endingIndex = index + 2;
    if (endingIndex >= count || tokens[index + 1].HasLineBreakOrSpaceAfter() ||
        tokens[endingIndex].HasLineBreakOrSpaceBefore())
      return Decline(out, consumed);
  }
  const std::string& written = tokens[endingIndex].text;
  const std::string& digits = number.text;
  const LastDigits d = LastDigitsOf(digits);
  const bool endsInOne = d.units == 1 && d.tens != 1;
  // "2-е" is an ordinal like any number with "-е": "второе место", "вторые".
  const bool agreesAsCardinal = (written == "а" || written == "о") && endsInOne;
  if (endings_.count(written) == 0 && !agreesAsCardinal) return Decline(out, consumed);

  std::string words;
  if (!NumeralSpeller::Number(digits, words) || words.empty()) return Decline(out, consumed);
  std::string text;
  if (agreesAsCardinal) {
    // "1-а" is "одна", "1-о" "одно".
    text = words.substr(0, words.size() - 2) + (written == "а" ? "на" : "но");
  } else {
    const std::string ending = EndingFor(written, d,
                                         digits.find_first_not_of('0') == std::string::npos,
                                         ChosenEnding(tokens, index, endingIndex));
    // A round thousand is one word: "двухтысячный".
    if (!NumeralSpeller::Ordinal(digits, ending, ending, text, true))
      return Decline(out, consumed);
  }
  return Handle(out, consumed, SpanToken(tokens, index, endingIndex, text),
                endingIndex - index + 1);
}
