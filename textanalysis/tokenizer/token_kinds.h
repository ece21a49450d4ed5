// The kind bits the tokenizers give a token from its first character.
#pragma once

#include "foundation/text_token.h"

// Adds the kind bits (word, number, Latin word, punctuation, capital, all
// capitals) to a token without kFromTag; the text decides.
void ClassifyToken(TextToken& token);

// ",:;()!?-" and ".".
bool IsPunctuationMark(char c);
