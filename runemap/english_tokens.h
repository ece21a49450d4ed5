// An English word as the token list the letter rules read, and its
// conversion into a phoneme string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class LetterRuleBase;

// Boundary, one capital letter per letter, boundary. False when a letter is
// not a Latin letter.
bool BuildLetterTokens(const std::string& framed, std::vector<std::string>& tokens);

// Stress digits of the vowel tokens: "0" for the vowel at mainStress
// (0-based letter index, -1 none), "1" before it, "2" after it ("1" for all
// when no vowel is there); then "5" for every secondary position that holds
// a vowel. Consonants stay bare; positions outside the letters are ignored.
void AssignStressDigits(std::vector<std::string>& tokens, int32_t mainStress,
                        const std::vector<int32_t>& secondary);

// A "W" first letter before a consonant other than "H" is silent, and so is
// every "H" before a consonant; both are removed.
void RemoveSilentLetters(std::vector<std::string>& tokens);

// The rules' results of the letter tokens joined with ','.
std::string ConvertLetterTokens(const LetterRuleBase& rules,
                                const std::vector<std::string>& tokens);
