// The tagged tokenizer: cuts pushed text into tokens with 64-bit stream
// positions, honouring the markup tags of the text ("Pron=", "Stress",
// "Context=fido", "About").
#pragma once

#include <set>
#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/stress.h"
#include "foundation/tag_table.h"
#include "foundation/text_token.h"

class TaggedTokenizer {
 public:
  TaggedTokenizer() = default;
  void SetCharSet(const CharSet* groups) { groups_ = groups; }
  // The tag table of the text and the map that "+" stress marks go to.
  void SetTextState(const TagTable* tags, StressByPosition* stresses) {
    tags_ = tags;
    stresses_ = stresses;
  }

  // Appends the tokens of `text` to `tokens`; the first character is at
  // stream position `start`. Nothing without a character set.
  void Tokenize(const std::string& text, std::vector<TextToken>& tokens, UI8 start) const;

 private:
  const CharSet* groups_ = nullptr;
  const TagTable* tags_ = nullptr;
  StressByPosition* stresses_ = nullptr;
};

// Descriptions of the tags in force at the position (covering it, or of
// size 0 starting there), in byte order.
std::set<std::string> TagTextsAt(const TagTable& tags, UI8 position);

// Rewrites the Latin look-alikes 'p', 'H', 'y', 'k' of text[from, to) into
// Cyrillic 'р', 'Н', 'у', 'к' where a neighbour inside the stretch is a
// Cyrillic letter (the first character looks only right, the last only
// left). The stretch is clamped to the text.
void ApplyFidoLetters(std::string& text, size_t from, size_t to);
