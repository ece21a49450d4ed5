// How well one of our phonemes matches a phone of the recording's labels:
// 0 the same sound, small for a softness, voicing or reduction difference,
// large for another sound.
#pragma once

#include <string_view>

constexpr int kMismatchCost = 8;

int PhoneMatchCost(std::string_view phoneme, std::string_view label);

bool IsPauseLabel(std::string_view label);
// A vowel label of a stressed syllable.
bool IsStressedVowelLabel(std::string_view label);
bool IsVowelPhoneme(std::string_view phoneme);
