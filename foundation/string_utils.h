// Small string helpers over 8-bit (Windows-1251) text, with a few UTF-16
// twins: number text, trailing backslashes, trimming, comment stripping,
// replacing, splitting and joining.
//
// Blank and letter tests are the C runtime's (std::isspace, std::isalpha);
// in the "C" locale blanks are space, tab, line feed, carriage return, form
// feed and vertical tab, and letters are the ASCII letters. Every split
// function clears its out list first and never returns empty pieces.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

// Decimal text of the value, with a minus sign for negatives.
std::string IntToString(INT value);

// In place: appends '\' to a non-empty path whose last character is not '\'.
void AppendBackslash(std::string& path);
void AppendBackslashWide(std::u16string& path);
// A copy of the path with AppendBackslash applied.
std::string WithBackslash(const std::string& path);
// The data folder and a file name in it as one path: the folder's own
// separator ('/' or '\\') is kept, or '/' is put between them.
std::string JoinPath(const std::string& folder, const std::string& fileName);

// In place: removes every leading and trailing ' ', '\n' and '\t' (not '\r').
void Trim(std::string& text);
void Trim(std::u16string& text);
// The same as Trim.
void TrimText(std::string& text);

// In place: cuts the text at the first "//", then removes leading and
// trailing characters of " \t\n\r".
void StripComment(std::string& text);

// True when the text is strictly longer than the suffix and ends with it.
bool EndsWith(const std::string& text, const std::string& suffix);

// In place: replaces every occurrence of a non-empty find text. The search
// resumes right after the inserted replacement, so a replacement containing
// the find text does not loop.
void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);
// The same with the replacement given as the byte range [first, last).
// Returns -1, the result of the final search (no occurrence left).
INT ReplaceAllRange(std::string& text, const std::string& find, const char* first,
                    const char* last);

// The bytes in reverse order.
void ReverseIntoString(const std::vector<BYTE>& bytes, std::string& out);

// Pieces between blank characters.
void SplitWords(const std::string& text, std::vector<std::string>& out);
// Pieces between occurrences of the separator byte, each trimmed with Trim.
void SplitByChar(const std::string& text, std::vector<std::string>& out, char separator);
// The same over UTF-16.
void SplitWide(const std::u16string& text, std::vector<std::u16string>& out,
               char16_t separator);
// Pieces between letters, each trimmed.
void SplitAtLetters(const std::string& text, std::vector<std::string>& out);
// Pieces between tab characters, each trimmed.
void SplitTabbed(const std::string& text, std::vector<std::string>& out);
// Pieces between any byte of the separator set, each trimmed.
void SplitByAny(const std::string& text, std::vector<std::string>& out,
                const std::string& separators);
void SplitByAny(const std::vector<BYTE>& bytes, std::vector<std::string>& out,
                const std::string& separators);
// As SplitByAny; a separator that is also in the keep set is added as a
// one-character piece at its place.
void SplitByAnyKeeping(const std::string& text, std::vector<std::string>& out,
                       const std::string& separators, const std::string& keep);

// The pieces between commas (a run of commas is one separator; pieces are
// not trimmed and never empty).
std::vector<std::string> SplitList(const std::string& text);
// The strings joined with ","; an empty list gives "".
std::string JoinList(const std::vector<std::string>& items);
// Each pair as first + "," + second, the pairs joined with ",".
std::string JoinPairList(const std::vector<std::pair<std::string, std::string>>& pairs);
