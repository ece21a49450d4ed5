// Whether a conversion gave text at all: a damaged book can convert to
// blanks, punctuation or nothing, which is no reading of it.
#pragma once

#include <cstddef>
#include <string_view>

// Whether the Windows-1251 bytes hold a letter or a digit.
bool HoldsLetterOrDigit(const char* bytes, size_t n);
// Keeps the converted target when it holds a letter or a digit (read up to
// the first); otherwise removes it, tells the user why no text could be
// taken out of the book, and gives false.
bool KeepConvertedText(const char16_t* target, std::string_view why);
