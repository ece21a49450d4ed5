// CharSet: an ordered list of disjoint byte classes, as the tokenizers use
// to cut text into runs of one class.
#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "platform/types.h"

struct CharSet {
  // Each class is the set of its bytes; no byte is in two classes.
  std::vector<std::bitset<256>> classes;

  // Some class holds the byte.
  bool Contains(char c) const { return IndexOf(c) != -1; }
  // The index of the class holding the byte; -1 when none does.
  INT IndexOf(char c) const;
  // Every byte of the text belongs to some class (true for an empty text).
  bool ContainsAll(const std::string& text) const;
};

// Appends a class holding the bytes of the text, unless the text is empty or
// one of its bytes already belongs to a class of the set; then nothing is
// added and the result is false.
bool BuildCharSet(CharSet& set, const std::string& text);
