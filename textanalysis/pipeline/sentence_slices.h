// A long sentence (a text without sentence ends: a poem without
// punctuation, a log) goes through the stages a slice at a time, so that
// the work and the syntagmas held for it stay bounded however long it is.
#pragma once

#include <cstddef>
#include <vector>

#include "foundation/text_token.h"

// Tokens of a slice when the sentence is longer.
inline constexpr size_t kSliceTokens = 1024;

struct SliceEnd {
  size_t end;          // index after the slice's last token
  bool atPunctuation;  // the slice ends with a mark that ends a syntagma
};

// Where the slice from `start` ends: the whole rest when it is short, else
// after the last comma-like mark in the second half of the slice, else
// between two words of four letters or more parted by a blank (so never
// inside a number, a hyphenated word or a word with its clitics), else at a
// blank; a slice never passes twice the size.
SliceEnd EndOfSlice(const std::vector<TextToken>& tokens, size_t start,
                    size_t sliceTokens = kSliceTokens);
