// One entry or rule of a mask base: a word pattern, conditions on the words
// to the left and to the right, and the decided letter counted from where
// the pattern matched.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textanalysis/lexicon/star_pattern.h"
#include "textanalysis/lexicon/word_texts.h"

// A condition on neighbouring words: alternatives ("+"), each a sequence of
// masks ("&") matched in text order. No alternative ("#") always holds.
struct MaskContext {
  std::vector<std::vector<StarPattern>> alternatives;

  // "#" gives no condition; empty masks are dropped.
  static MaskContext Parse(std::string_view text);
  // Some alternative of k masks has k words just before `index` that match.
  bool HoldsLeftOf(const WordTexts& texts, size_t index) const;
  // Some alternative of k masks has k words just after `index` that match.
  bool HoldsRightOf(const WordTexts& texts, size_t index) const;
};

struct MaskEntry {
  // The pattern as stored, which orders a word list.
  std::string pattern;
  StarPattern match;
  MaskContext left;
  MaskContext right;
  int result = 0;

  bool ContextHolds(const WordTexts& texts, size_t index) const {
    return left.HoldsLeftOf(texts, index) && right.HoldsRightOf(texts, index);
  }
};

// Builds an entry from its texts; false when the result is not a decimal
// number.
bool MakeMaskEntry(std::string_view pattern, std::string_view left, std::string_view right,
                   std::string_view result, MaskEntry& entry);

// Cuts the text at every separator, keeping empty fields.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);
