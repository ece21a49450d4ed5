// A sentence of pushed text: its tokens and the span from the start of the
// first token to the end of the last.
#pragma once

#include <vector>

#include "foundation/text_token.h"

struct Sentence {
  std::vector<TextToken> tokens;
  Interval itvl;

  // Sets the span from the tokens (empty span at 0 for no tokens).
  void SetIntervalFromTokens();
};
