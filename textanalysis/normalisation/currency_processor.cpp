#include "textanalysis/chain/chain_order.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

bool IsText(const std::vector<TextToken>& tokens, int index, const char* text) {
  return index < static_cast<int>(tokens.size()) && tokens[index].text == text;
}

bool IsNumberAt(const std::vector<TextToken>& tokens, int index) {
  return index < static_cast<int>(tokens.size()) && tokens[index].IsNumber();
}

// Dd "." Cc with nothing between them.
bool HasCentsAt(const std::vector<TextToken>& tokens, int dollarIndex) {
  return IsText(tokens, dollarIndex + 1, ".") && IsNumberAt(tokens, dollarIndex + 2) &&
         !tokens[dollarIndex].HasLineBreakOrSpaceAfter() &&
         !tokens[dollarIndex + 1].HasLineBreakOrSpaceAfter();
}

// " доллар", " доллара", " долларов" by the last digits.
std::string UnitWord(const std::string& digits, const char* unit) {
  return std::string(" ") + unit + CountedEnding(PluralFormOf(digits));
}

}  // namespace

bool MatchDollarAmount(const std::vector<TextToken>& tokens, int index, std::string& dollars,
                       std::string& cents, int& count) {
  cents.clear();
  if (IsText(tokens, index, "$") && IsNumberAt(tokens, index + 1)) {
    dollars = tokens[index + 1].text;
    count = 2;
    if (HasCentsAt(tokens, index + 1)) {
      cents = tokens[index + 3].text;
      count = 4;
    }
    return true;
  }
  if (!IsNumberAt(tokens, index)) return false;
  dollars = tokens[index].text;
  if (IsText(tokens, index + 1, "$")) {
    count = 2;
    return true;
  }
  if (HasCentsAt(tokens, index) && IsText(tokens, index + 3, "$")) {
    cents = tokens[index + 2].text;
    count = 4;
    return true;
  }
  return false;
}

bool SpellDollarAmount(std::string dollars, std::string cents, std::string& text) {
  const size_t nonZero = dollars.find_first_not_of('0');
  dollars = nonZero == std::string::npos ? std::string() : dollars.substr(nonZero);
  if (cents.size() == 2) {
    if (cents[0] == '0') cents.erase(0, 1);
    if (cents == "0") cents.clear();
  } else {
    cents.clear();
  }
  if (dollars.empty() && cents.empty()) dollars = "0";
  text.clear();
  std::string words;
  if (!dollars.empty()) {
    if (!NumeralSpeller::Number(dollars, words)) return false;
    text = words + UnitWord(dollars, "доллар");
  }
  if (!cents.empty()) {
    if (!NumeralSpeller::Number(cents, words)) return false;
    if (!text.empty()) text += ' ';
    text += words + UnitWord(cents, "цент");
  }
  return true;
}

CurrencyProcessor::CurrencyProcessor() : TextProcessor(ChainPriority(ChainSlot::Currency)) {}

int CurrencyProcessor::Process(std::vector<TextToken>& tokens, int index,
                               std::vector<TextToken>& out, int* consumed) {
  std::string dollars, cents, text;
  int count = 0;
  if (!MatchDollarAmount(tokens, index, dollars, cents, count) ||
      !SpellDollarAmount(dollars, cents, text))
    return Decline(out, consumed);
  return Handle(out, consumed,
                SpanToken(tokens, index, index + count - 1, text, TextToken::kRussianWord), count);
}
