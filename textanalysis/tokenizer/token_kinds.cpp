#include "textanalysis/tokenizer/token_kinds.h"

#include <cstring>

#include "foundation/char_classes.h"

bool IsPunctuationMark(char c) { return c != '\0' && std::strchr(",:;()!?-.", c) != nullptr; }

void ClassifyToken(TextToken& token) {
  if (token.IsFromTag() || token.text.empty()) return;
  const std::string& text = token.text;
  const int first = static_cast<unsigned char>(text[0]);
  if (IsRusLetter(first)) {
    token.AddFlags(TextToken::kRussianWord);
    if (!HasRusLower(text)) token.AddFlags(TextToken::kAllCapitals);
    if (IsRusUpper(first)) token.AddFlags(TextToken::kCapitalFirst);
  } else if (IsDigitChar(first)) {
    token.AddFlags(TextToken::kNumber);
  } else if (IsLatinLetter(first)) {
    token.AddFlags(TextToken::kLatinWord);
    if (IsLatinUpper(first)) token.AddFlags(TextToken::kCapitalFirst);
    std::string upper = text;
    LatinUpperString(upper);
    if (upper == text) token.AddFlags(TextToken::kAllCapitals);
  } else if (IsPunctuationMark(text[0])) {
    token.AddFlags(TextToken::kPunctuation);
  }
}
