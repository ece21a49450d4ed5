// Tokens as the tokenizers cut them, and one processor call.
#pragma once

#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/text_token.h"
#include "textanalysis/chain/text_processor.h"
#include "textanalysis/tokenizer/plain_tokenizer.h"

inline const CharSet& TokenGroups() {
  static const CharSet groups = [] {
    CharSet set;
    for (const char* group :
         {"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё",
          "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm", "1234567890", ",:;()!?-", ".",
          "+/*=<>%", "~`@#$^&|\\{}[]\"\xB9"})
      BuildCharSet(set, group);
    return set;
  }();
  return groups;
}

inline std::vector<TextToken> Tokens(const std::string& text) {
  std::vector<TextToken> tokens;
  PlainTokenizer(&TokenGroups()).Tokenize(text, tokens);
  return tokens;
}

struct ProcessResult {
  int result = -1;
  int consumed = -1;
  std::vector<TextToken> out;

  // The single output text, or "<none>".
  std::string Text() const { return out.size() == 1 ? out[0].text : "<none>"; }
};

inline ProcessResult RunProcessor(TextProcessor& processor, std::vector<TextToken>& tokens, int index = 0) {
  ProcessResult r;
  r.result = processor.Process(tokens, index, r.out, &r.consumed);
  return r;
}

// The text the processor makes of tokens[index] of `text`; "<none>" when it
// does not apply.
inline std::string Said(TextProcessor& processor, const std::string& text, int index = 0) {
  std::vector<TextToken> tokens = Tokens(text);
  const ProcessResult r = RunProcessor(processor, tokens, index);
  return r.result == TextProcessor::kHandled ? r.Text() : "<none>";
}
