#include "textanalysis/tokenizer/plain_tokenizer.h"

#include "textanalysis/tokenizer/token_cutter.h"
#include "textanalysis/tokenizer/token_kinds.h"

std::string WithPlainDashes(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) == 0x97) c = '-';
  return out;
}

void PlainTokenizer::Tokenize(const std::string& source, std::vector<TextToken>& tokens,
                              UI8 start) const {
  if (groups_ == nullptr) return;
  const std::string text = WithPlainDashes(source);
  const size_t first = tokens.size();
  TokenCutter cutter(*groups_, tokens, start);
  for (size_t i = 0; i < text.size(); ++i) {
    const UI8 position = start + i;
    const char c = text[i];
    if (c == ' ' || c == '\t') {
      cutter.Blank(c, position);
    } else if (const size_t length = LineBreakLength(text, i)) {
      cutter.LineBreak(position, length);
      i += length - 1;
    } else {
      cutter.Character(c, position);
    }
  }
  cutter.EmitPending(start + text.size());
  for (size_t i = first; i < tokens.size(); ++i) ClassifyToken(tokens[i]);
}
