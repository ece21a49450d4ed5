// What the sentence splitter asks of the abbreviation dictionary: whether a
// known abbreviation starts at a token, so that its "." stays inside the
// sentence.
#pragma once

#include <vector>

#include "foundation/text_token.h"

class AbbreviationLookup {
 public:
  virtual ~AbbreviationLookup() = default;

  // The longest entry starting at tokens[index], given the flags of the
  // token before it (0 at the start). On a match, `last` is the index of the
  // entry's last token and `rightCondition` tells whether the entry found
  // depends on the token after it.
  virtual bool Match(const std::vector<TextToken>& tokens, int index, UI4 leftFlags, int& last,
                     bool& rightCondition) const = 0;
};
