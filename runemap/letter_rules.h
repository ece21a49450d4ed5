// Per-letter phoneme rules. Each rule looks only at the letter at a position
// and its neighbours inside `text`: for the word converter that is one word,
// for the whole-text converter it is the text with its blanks, which then
// count as ordinary neighbours.
#pragma once

#include <cstddef>
#include <string_view>

// Stress kind of a vowel letter.
enum class VowelStress { None = 0, Main = 1, Secondary = 2 };

struct VowelRuleOptions {
  // A stressed 'о' after 'ь' is iotated ("J',O").
  bool iotateStressedOAfterSoftSign = true;
  // An unstressed "O" is reduced to "A".
  bool reduceUnstressedO = true;
};

// Phoneme(s) of the vowel letter at `i`. `keepUnstressedO` holds for the
// few words whose unstressed 'о' is not reduced.
std::string_view VowelPhoneme(std::string_view text, size_t i, VowelStress stress,
                              bool keepUnstressedO, const VowelRuleOptions& options);

// Phoneme of the unpaired consonant at `i`; empty when the letter is silent.
std::string_view UnpairedConsonantPhoneme(std::string_view text, size_t i);

// Phoneme of the paired consonant at `i`; empty when the letter is silent.
std::string_view PairedConsonantPhoneme(std::string_view text, size_t i);

// True when the word keeps its unstressed 'о' ("боа", "бонтон", "рококо").
bool KeepsUnstressedO(std::string_view word);
