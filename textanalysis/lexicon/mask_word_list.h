// One word list of a mask base: an index file of little-endian 16-bit
// offsets into a word file whose entries are three length-prefixed strings
// (pattern, "left|right" context, result number), in pattern order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textanalysis/lexicon/mask_entry.h"
#include "textanalysis/lexicon/word_texts.h"

class MaskWordList {
 public:
  // Missing files leave the list empty. Entries whose offsets or lengths
  // run past the word file, whose context is not two fields or whose result
  // is not a number are left out.
  void Load(const std::u16string& indexPath, const std::u16string& wordsPath);
  void Clear() { entries_.clear(); }
  size_t Size() const { return entries_.size(); }

  // Searches for the word at `index` (lower-cased, and reversed when the
  // list holds reversed patterns) from the first entry not less than it,
  // forwards and then backwards; in each direction the first entry whose
  // pattern fails ends the scan. The first entry whose context also holds
  // decides: its result plus the offset of the match in the unreversed word.
  bool Decide(const WordTexts& texts, size_t index, bool reversed, int& decision) const;

 private:
  std::vector<MaskEntry> entries_;
};
