// English phonetics of the phonetic processor.
//
// PLACE FOR THE ENGLISH PHONETICS: this is a stand-in that knows no English
// phoneme; it yields no allophones and no sound descriptions, so English
// conversion fails cleanly until the inventory and the allophone choice are
// filled in here behind the same two operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PhoneticEng {
 public:
  // The allophone of every phoneme of the list; empty when the list cannot
  // be converted.
  std::vector<std::string> PhonemesToAllophones(const std::vector<std::string>& phonemes) const;

  // The 64-bit sound description of a phoneme name; 0 for an unknown name.
  uint64_t GetSD(const std::string& name) const;

  static constexpr uint64_t kVowelBit = uint64_t{1} << 2;
};
