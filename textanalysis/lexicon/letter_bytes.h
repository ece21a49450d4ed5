// Inline byte tests and comparison for the searches of the word files,
// which run them for every letter of every lookup.
#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/char_classes.h"

inline bool IsLetterByte(unsigned char c) {
  return (RusCharClassTable.classes[c] & kClassRusLetter) != 0;
}

// Whether every byte is a Cyrillic letter (false for an empty text).
inline bool IsAllLetterBytes(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsLetterByte(static_cast<unsigned char>(c))) return false;
  return true;
}

inline bool IsVowelByte(unsigned char c) {
  constexpr int32_t kVowel = kClassRusLetter | kClassRusVowel;
  return (RusCharClassTable.classes[c] & kVowel) == kVowel;
}

inline bool IsUpperVowelByte(unsigned char c) {
  constexpr int32_t kUpperVowel = kClassRusLetter | kClassRusVowel | kClassRusCapital;
  return (RusCharClassTable.classes[c] & kUpperVowel) == kUpperVowel;
}

// A Cyrillic capital's small letter; any other byte as it is.
inline unsigned char LowerByte(unsigned char c) {
  constexpr int32_t kCapital = kClassRusLetter | kClassRusCapital;
  return (RusCharClassTable.classes[c] & kCapital) == kCapital ? RusCharClassTable.caseMap[c] : c;
}

// memcmp (unsigned bytes) for the few bytes of a record, without the call.
inline int CompareBytes(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}
