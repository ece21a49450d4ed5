// Code pages: conversion and detection.
//
// The process-wide CodePageConverter converts 8-bit text from a selected
// Russian code page into Windows-1251, converts between Windows-1251 and
// UTF-16, and detects a text's code page. Its tables (the four published
// forward tables and the Windows-1251 reverse table) are constant data,
// computed at compile time (code_page_tables.cpp): they exist before any code
// runs and are never rewritten, so InitCodePages never leaves a table zeroed.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A forward table: byte -> UTF-16 code unit.
using CodePageTable = std::array<uint16_t, 256>;
// Size of the reverse table (UTF-16 code unit -> Windows-1251 byte).
constexpr int32_t kReverseTableSize = 9000;
using CodePageReverseTable = std::array<uint8_t, kReverseTableSize>;

// The published tables (code_page_tables.cpp). Bytes 0-127 map to
// themselves in all four; Windows-1251 0x98 (undefined) maps to U+0098.
extern const CodePageTable kDos866Table;
extern const CodePageTable kKoi8rTable;
extern const CodePageTable kIso88595Table;
extern const CodePageTable kWin1251Table;
// Built from kWin1251Table alone: zeroed, then [kWin1251Table[b]] = b for
// every b from 0 to 255.
extern const CodePageReverseTable kWin1251ReverseTable;

// Internal table indices.
constexpr int32_t kTableDos = 0;
constexpr int32_t kTableKoi8r = 1;
constexpr int32_t kTableIso = 2;
constexpr int32_t kTableWin = 3;

// External code-page indices.
constexpr int32_t kCodePageAuto = 0;
constexpr int32_t kCodePageWin = 1;
constexpr int32_t kCodePageDos = 2;
constexpr int32_t kCodePageKoi8r = 3;
constexpr int32_t kCodePageIso = 4;
constexpr int32_t kCodePageUtf8 = 5;
constexpr int32_t kCodePageUnknown = 6;

class CodePageConverter {
 public:
  constexpr CodePageConverter() = default;
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // Sets index 3, saved index 3 and the default character ' '. The tables
  // are constant data and need no filling; nothing is zeroed.
  void Init();

  // Makes an internal index current; stores the previous one as the saved
  // index and returns it.
  int32_t SetTable(int32_t index);
  // Makes the saved index current again.
  void RestoreTable();
  // External index 1..4 -> internal 3, 0, 1, 2; with apply == 1 calls
  // SetTable and returns its result; otherwise (and for any other external
  // index) changes nothing and returns the current internal index.
  int32_t Select(int32_t externalIndex, int32_t apply);

  int32_t CurrentTable() const { return current_.load(std::memory_order_relaxed); }
  int32_t SavedTable() const { return saved_.load(std::memory_order_relaxed); }
  int DefaultChar() const { return defaultChar_.load(std::memory_order_relaxed); }
  void SetDefaultChar(int c) { defaultChar_.store(static_cast<uint8_t>(c), std::memory_order_relaxed); }

  // The forward table of an internal index (0..3), or nullptr.
  static const CodePageTable* ForwardTable(int32_t index);
  // The Windows-1251 byte of a UTF-16 code unit, 0 where there is none
  // (including every code unit of 9000 and above).
  static int ReverseByte(uint32_t codeUnit);

  // Converts length bytes from the current table into Windows-1251; out
  // receives exactly length bytes and may be the same buffer as bytes.
  // Returns length.
  int32_t ConvertBytes(const char* bytes, int32_t length, char* out) const;
  // Resizes out to the text's length, then converts into it.
  int32_t ConvertString(const std::string& text, std::vector<char>& out) const;
  void Convert(const std::string& text, std::string& out) const;
  std::string Converted(const std::string& text) const;
  void ConvertInPlace(std::string& text) const;

  // Every byte through the Windows-1251 forward table (whatever the current
  // index); out is replaced. Returns the count.
  int32_t ToWide(const std::string& text, std::u16string& out) const;
  // Every code unit through the reverse table; a code unit without an entry
  // (0, or 9000 and above) gives the default character; out is replaced.
  // Return the count.
  int32_t FromWide(const std::u16string& text, std::string& out) const;
  int32_t FromWideToBuffer(const std::u16string& text, std::vector<char>& out) const;

 private:
  std::atomic<int32_t> current_{kTableWin};
  std::atomic<uint8_t> defaultChar_{' '};
  std::atomic<int32_t> saved_{kTableWin};
};

// The process-wide instance of this deliverable (constant-initialised).
CodePageConverter& GlobalCodePageConverter();

// CodePageConverter::Init on the global instance.
void InitCodePages();
// ToWide / FromWide on the global instance.
std::u16string NarrowToWide(const std::string& text);
std::string WideToNarrow(const std::u16string& text);

// One character of UTF-8 at p[i] (of n bytes), i moved past it; no
// validation of continuation bytes, and a blank for a byte that starts no
// complete sequence.
inline uint32_t Utf8DecodeAt(const unsigned char* p, size_t n, size_t& i) {
  const uint32_t b0 = p[i];
  if (b0 < 0x80) {
    i += 1;
    return b0;
  }
  if ((b0 & 0xE0) == 0xC0 && i + 1 < n) {
    const uint32_t code = (b0 & 0x1F) << 6 | (p[i + 1] & 0x3Fu);
    i += 2;
    return code;
  }
  if ((b0 & 0xF0) == 0xE0 && i + 2 < n) {
    const uint32_t code = (b0 & 0x0F) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu);
    i += 3;
    return code;
  }
  if ((b0 & 0xF8) == 0xF0 && i + 3 < n) {
    const uint32_t code = (b0 & 0x07) << 18 | (p[i + 1] & 0x3Fu) << 12 |
                          (p[i + 2] & 0x3Fu) << 6 | (p[i + 3] & 0x3Fu);
    i += 4;
    return code;
  }
  i += 1;
  return 32u;
}

// UTF-8 decoding (no validation of continuation bytes).
// out is replaced; returns the number of code points.
int32_t Utf8Decode(const std::string& bytes, std::vector<uint32_t>& out);
// Decodes as Utf8Decode and replaces every code point of 0x10000 and above
// by replacement; out is replaced; returns the number of code units.
int32_t Utf8ToWide(const std::string& bytes, std::u16string& out, char16_t replacement);

// What a UTF-8 character without a Windows-1251 byte becomes.
struct Utf8Replacements {
  char defaultChar;   // a character of 16 bits without a byte
  char nul;           // U+0000
  char beyond16Bits;  // U+10000 and above
};
// Decodes as Utf8DecodeAt and appends each character's Windows-1251 byte,
// in one pass without a UTF-16 copy.
void AppendUtf8AsWindows1251(const char* bytes, size_t length, const Utf8Replacements& with,
                             std::string& output);

// Length of the well-formed UTF-8 sequence at p[i] (no overlong forms,
// surrogates or code points past U+10FFFF), 0 when there is none. A sequence
// cut by the end of the text counts as well-formed: callers may pass the
// head of a file.
size_t Utf8SequenceLength(const unsigned char* p, size_t n, size_t i);

// True for a byte below 0x80 or in 0xC0-0xF7.
bool IsPlausibleCyrillicByte(int c);
// True for U+0410-U+044F, U+0401 and U+0451.
bool IsCyrillicCodePoint(uint32_t codeUnit);
// Well-formed UTF-8 holding at least one Russian letter: a text that is
// valid UTF-8 only by chance (short 8-bit Russian words can be) is not this.
bool IsRussianUtf8(const std::string& text);

// External index 1..6 of the text's code page (5 is UTF-8, 6 no decision).
int32_t DetectCodePage(const CodePageConverter& converter, const std::string& text);
int32_t DetectCodePage(const CodePageConverter& converter, const char* bytes, size_t length);
// The text in Windows-1251, whatever Russian code page DetectCodePage finds
// it in (UTF-8 included: characters without a Windows-1251 byte become the
// default character, those beyond 16 bits first '?'); a text without a
// decision is taken as Windows-1251. The converter's table is restored.
std::string DetectedToWindows1251(CodePageConverter& converter, const std::string& text);
// The same with the code page already known (an external index as
// DetectCodePage gives); a long UTF-8 text is never held in UTF-16 as well.
std::string ToWindows1251(CodePageConverter& converter, const std::string& text,
                          int32_t codePage);

// "Auto", "Win", "DOS", "KOI8R", "ISO" for 0..4; "UnknownCodePage" for 5,
// 6 and anything else. CodePageNameNarrow gives the same name as 8-bit text.
std::u16string CodePageName(int32_t externalIndex);
std::string CodePageNameNarrow(int32_t externalIndex);
// 0..4 for the five names (exact comparison, in the order above), else 6.
int32_t CodePageFromName(const std::u16string& name);
int32_t CodePageFromName(const std::string& name);
// Clears the list and appends "Auto", "Win", "DOS", "KOI8R", "ISO".
void CodePageNames(std::vector<std::u16string>& names);
