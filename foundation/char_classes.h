// Character classes and case maps over 8-bit Windows-1251 text.
//
// Two process-wide tables: CharClassTable (Latin letters, vowels and
// consonants, case, digits, punctuation, blanks, number separators) and
// RusCharClassTable (Cyrillic letters, vowels, consonants, capitals, small
// letters). Both are constant-initialised: their values are computed at
// compile time by the build algorithm, so they are complete
// before any code of the deliverable runs and are never zeroed afterwards.
//
// Bytes are passed as int; only the low 8 bits index the tables. Functions
// that return a byte return it in the range 0..255.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Class bits of CharClassTable.
constexpr int32_t kClassLatinLetter = 0x2;
constexpr int32_t kClassLatinVowel = 0x4;
constexpr int32_t kClassLatinConsonant = 0x8;
constexpr int32_t kClassUpper = 0x10;
constexpr int32_t kClassLower = 0x20;
constexpr int32_t kClassDigit = 0x40;
constexpr int32_t kClassPunct = 0x80;
constexpr int32_t kClassBlank = 0x100;
constexpr int32_t kClassNumberSeparator = 0x200;

// Class bits of RusCharClassTable.
constexpr int32_t kClassRusLetter = 0x1;
constexpr int32_t kClassRusVowel = 0x4;
constexpr int32_t kClassRusConsonant = 0x8;
constexpr int32_t kClassRusCapital = 0x10;
constexpr int32_t kClassRusSmall = 0x20;

// 256 class words indexed by the byte value, plus a 256-byte case map.
struct CharClassTableData {
  int32_t classes[256];
  uint8_t caseMap[256];
};

// Read-only views of the two process-wide tables (constant-initialised).
extern const CharClassTableData& CharClassTable;
extern const CharClassTableData& RusCharClassTable;

// (Re)build the tables. The values are computed into a temporary and only
// entries that differ from it are written, so a rebuild while other threads
// read the tables writes nothing (the tables never pass through zero).
// BuildRusCharClassTable runs BuildCharClassTable first.
void BuildCharClassTable();
void BuildRusCharClassTable();

// ---- Latin and general table (CharClassTable) ----
bool IsLatinLetter(int c);
bool IsNumberSeparator(int c);
bool IsDigitChar(int c);
bool IsPunctChar(int c);
bool IsBlankChar(int c);
bool IsLatinUpper(int c);
bool IsLatinLower(int c);
bool IsLatinVowel(int c);
bool IsLatinConsonant(int c);
int LatinToLower(int c);
int LatinToUpper(int c);
void LatinLowerString(std::string& text);
void LatinUpperString(std::string& text);
bool IsLatinVowelAt(const std::string& text, int32_t position);
// Every position of [first, last) passes IsLatinVowelAt; an empty range
// gives true.
bool AllLatinVowelsAt(const std::string& text, const int32_t* first, const int32_t* last);
bool AllLatinVowelsAt(const std::string& text, std::vector<int32_t>::const_iterator first,
                      std::vector<int32_t>::const_iterator last);
bool AllLatinVowelsAt(const std::string& text, const std::vector<int32_t>& positions);
int32_t FindLatinVowel(const std::string& text, int32_t from, int32_t to);
int32_t FindLastLatinVowel(const std::string& text, int32_t from, int32_t to);
void LatinVowelPositions(const std::string& text, std::vector<int32_t>& positions);
bool IsAllLatinLetters(const std::string& text);

// ---- Cyrillic table (RusCharClassTable) ----
bool IsRusLetter(int c);
bool IsRusUpper(int c);
bool IsRusLower(int c);
bool IsRusVowel(int c);
bool IsRusConsonant(int c);
bool IsRusLowerVowel(int c);
bool IsRusUpperVowel(int c);
int RusToLower(int c);
int RusToUpper(int c);
void RusLowerString(std::string& text);
void RusUpperString(std::string& text);
bool IsRusVowelAt(const std::string& text, int32_t position);
bool AllRusVowelsAt(const std::string& text, const int32_t* first, const int32_t* last);
bool AllRusVowelsAt(const std::string& text, std::vector<int32_t>::const_iterator first,
                    std::vector<int32_t>::const_iterator last);
bool AllRusVowelsAt(const std::string& text, const std::vector<int32_t>& positions);
int32_t FindRusVowel(const std::string& text, int32_t from, int32_t to);
int32_t FindLastRusVowel(const std::string& text, int32_t from, int32_t to);
void RusVowelPositions(const std::string& text, std::vector<int32_t>& positions);
bool IsAllRusLetters(const std::string& text);
bool HasRusVowel(const std::string& text);
bool HasRusLower(const std::string& text);

// ---- Mixed ----
// In place: a Cyrillic capital through the Cyrillic map, else a Latin
// capital through the Latin map.
void LowerString(std::string& text);
// Upper-cases the first byte of a non-empty text (Cyrillic small letter
// through the Cyrillic map, else Latin small letter through the Latin map).
void CapitalizeFirst(std::string& text);
// Position of the default stressed vowel, or -1.
int32_t DefaultStressVowel(const std::string& text);
