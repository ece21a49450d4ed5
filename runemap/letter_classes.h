// Letter classes of the Russian letter-to-phoneme rules: one class word per
// byte, built from the four class strings. Only the small letters belong to
// a class; capitals, digits, blanks and marks have none.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace letter_class {
constexpr uint8_t kVowel = 0x1;
constexpr uint8_t kUnpaired = 0x2;
constexpr uint8_t kPaired = 0x4;
constexpr uint8_t kSign = 0x8;
// Not a class of its own: the letters that soften a consonant before them.
constexpr uint8_t kSoftMarking = 0x10;
}  // namespace letter_class

inline constexpr std::string_view kVowelLetters = "аоуэыияёюе";
inline constexpr std::string_view kUnpairedConsonants = "ймнрлцчхщ";
inline constexpr std::string_view kPairedConsonants = "бпдтгквфзсжш";
inline constexpr std::string_view kSignLetters = "ъь";
inline constexpr std::string_view kSoftMarkingLetters = "еёиьюя";

class LetterClassTable {
 public:
  constexpr LetterClassTable() : classes_{} {
    Mark(kVowelLetters, letter_class::kVowel);
    Mark(kUnpairedConsonants, letter_class::kUnpaired);
    Mark(kPairedConsonants, letter_class::kPaired);
    Mark(kSignLetters, letter_class::kSign);
    Mark(kSoftMarkingLetters, letter_class::kSoftMarking);
  }

  constexpr uint8_t Of(char c) const { return classes_[static_cast<uint8_t>(c)]; }
  constexpr bool IsVowel(char c) const { return (Of(c) & letter_class::kVowel) != 0; }
  constexpr bool IsSoftMarking(char c) const { return (Of(c) & letter_class::kSoftMarking) != 0; }

 private:
  constexpr void Mark(std::string_view letters, uint8_t bit) {
    for (char c : letters) classes_[static_cast<uint8_t>(c)] |= bit;
  }

  std::array<uint8_t, 256> classes_;
};

inline constexpr LetterClassTable kLetterClasses;
