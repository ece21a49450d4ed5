// The pass of sub-language mode 2: a vowel followed by "J'" is merged with
// the glide (and with a following unstressed vowel) into one token.
#pragma once

#include <string>

// Rewrites the comma-joined list in place; lists without "J'" are left alone.
void MergeVowelGlides(std::string& phonemes);
