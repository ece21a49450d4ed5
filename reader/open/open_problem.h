// Why a document cannot be shown, told to the user with its file name
// instead of leaving the window as it was without a word.
#pragma once

#include <string>

// Empty when the file can be tried; otherwise the reason: a folder, a pipe
// or another file that is not a regular one, a file that cannot be read, or
// a text whose first block holds NUL bytes (a binary file shown as text
// would be garbage). Formats the converters read are not looked into. A missing file is not a problem here: it may be
// taken out of its archive again.
std::u16string DocumentOpenProblem(const std::u16string& path);

// The reason a missing document gives.
std::u16string MissingFileReason();

// "ERROR: can't open file!", then the file and the reason on lines of
// their own.
std::u16string OpenFailureMessage(const std::u16string& path, const std::u16string& reason);

// "Conversion FAILED!", the file and why on lines of their own: for a
// document whose converter failed without saying why.
std::u16string ConversionFailureMessage(const std::u16string& path);
