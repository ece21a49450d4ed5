#include "textanalysis/chain/chain_order.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

// Standard notation of 1 to 39.
std::string Roman(int value) {
  static constexpr const char* kUnits[10] = {"",  "I",  "II",  "III",  "IV",
                                             "V", "VI", "VII", "VIII", "IX"};
  return std::string(value / 10, 'X') + kUnits[value % 10];
}

}  // namespace

RomanNumeralProcessor::RomanNumeralProcessor()
    : TextProcessor(ChainPriority(ChainSlot::RomanNumeral)) {
  // "I" and "V" are too often letters.
  for (int value = 2; value <= 39; ++value)
    if (value != 5) numerals_[Roman(value)] = std::to_string(value);
}

int RomanNumeralProcessor::Process(std::vector<TextToken>& tokens, int index,
                                   std::vector<TextToken>& out, int* consumed) {
  TextToken& token = tokens[index];
  auto numeral = numerals_.find(token.text);
  std::string digits = numeral != numerals_.end() ? numeral->second : std::string();
  // Before "в." or "вв." even "I" and "V" are centuries.
  const int count = static_cast<int>(tokens.size());
  if (digits.empty() && (token.text == "I" || token.text == "V") && index + 2 < count &&
      !tokens[index + 1].HasLineBreakOrSpaceAfter() &&
      (tokens[index + 1].text == "в" || tokens[index + 1].text == "вв") &&
      tokens[index + 2].text == ".")
    digits.assign(1, token.text == "I" ? '1' : '5');
  if (!digits.empty()) {
    token.text = digits;
    token.RemoveFlags(TextToken::kRussianWord | TextToken::kLatinWord);
    token.AddFlags(TextToken::kNumber);
  }
  return Decline(out, consumed);
}
