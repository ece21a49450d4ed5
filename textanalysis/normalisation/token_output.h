// What the processors hand back: one output token replacing a run of input
// tokens, and the empty answer of a processor that does not apply.
#pragma once

#include <string>
#include <vector>

#include "foundation/text_token.h"

// The token with a new text (flags and interval kept).
TextToken WithText(const TextToken& token, std::string text);

// One token over tokens[first..last]: interval from the start of the first
// to the end of the last, flags the left separators of the first and the
// right separators of the last, plus `extraFlags`.
TextToken SpanToken(const std::vector<TextToken>& tokens, int first, int last, std::string text,
                    UI4 extraFlags = 0);

// Clears the output and the count; returns "not applicable".
int Decline(std::vector<TextToken>& out, int* consumed);

// Puts the single output token and the count; returns "handled".
int Handle(std::vector<TextToken>& out, int* consumed, TextToken token, int count);

// Non-empty and made of the digits 0-9 only.
bool IsDigitString(const std::string& text);

// tokens[index] is the fraction of a decimal number written tight ("3,5",
// "0.25"): what follows it counts in the genitive singular, as after 2.
bool IsDecimalFraction(const std::vector<TextToken>& tokens, int index);

// The word before the number at tokens[index] puts it in the genitive ("до
// 3", "более 5"): a word counted after it is in the genitive too.
bool IsNumberInGenitive(const std::vector<TextToken>& tokens, int index);
