// The plain tokenizer: text cut into runs of one character group, without
// markup tags. Re-tokenises what the text processors return and splits the
// keys of the abbreviation dictionary.
#pragma once

#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/text_token.h"

class PlainTokenizer {
 public:
  PlainTokenizer() = default;
  explicit PlainTokenizer(const CharSet* groups) : groups_(groups) {}
  void SetCharSet(const CharSet* groups) { groups_ = groups; }

  // Appends the tokens of `text` to `tokens`, positions counted from
  // `start`. Nothing without a character set.
  void Tokenize(const std::string& text, std::vector<TextToken>& tokens, UI8 start = 0) const;

 private:
  const CharSet* groups_ = nullptr;
};

// The em dash (byte 0x97) reads as "-".
std::string WithPlainDashes(const std::string& text);
