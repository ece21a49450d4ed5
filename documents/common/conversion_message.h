// Why a conversion or an extraction stopped, or what went wrong on the way,
// told to the user.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Shows the text (ASCII) in a stop message box.
void ShowConversionStop(std::string_view text);
void ShowConversionStop(const std::u16string& text);
// Tells that a damaged book gave no text at all; why is a sentence.
void ShowNoTextTaken(std::string_view why);
void ShowNoTextTaken(const std::u16string& why);
// Shows the text in a warning box: the work went on.
void ShowConversionWarning(const std::u16string& text);
// Warns that parts of the book (what: "entries", "documents") cannot be
// read and were left out, naming the first ten of them.
void ShowPartsLeftOut(std::u16string_view what, const std::u16string& book,
                      const std::vector<std::u16string>& names);
// How many stop messages the process has shown: whoever sees a conversion
// fail tells from it whether the user already learnt why.
int ConversionStopsShown();
