// Code pages: conversion and detection.
#include "foundation/code_pages.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constinit CodePageConverter g_codePageConverter;

inline bool IsCyrillicIn(const CodePageTable& table, unsigned char b) {
  return IsCyrillicCodePoint(table[b]);
}

template <typename Out>
int32_t FromWideInto(const CodePageConverter& converter, const std::u16string& text, Out& out) {
  out.resize(text.size());
  const char def = static_cast<char>(converter.DefaultChar());
  for (size_t i = 0; i < text.size(); ++i) {
    const int c = CodePageConverter::ReverseByte(text[i]);
    out[i] = c != 0 ? static_cast<char>(c) : def;
  }
  return static_cast<int32_t>(text.size());
}

// The Windows-1251 byte of a decoded character: its table byte, the default
// character where it has none; NUL and characters beyond 16 bits become the
// bytes the caller names. The rare cases stay off the common path.
inline char Windows1251ByteOf(uint32_t code, const Utf8Replacements& with) {
  if (code >= static_cast<uint32_t>(kReverseTableSize))
    return code < 0x10000 ? with.defaultChar : with.beyond16Bits;
  const uint8_t byte = kWin1251ReverseTable[code];
  if (byte != 0) return static_cast<char>(byte);
  return code == 0 ? with.nul : with.defaultChar;
}

// The text is well-formed UTF-8 and holds at least one Russian letter.
bool IsRussianUtf8(const unsigned char* p, size_t n) {
  bool russian = false;
  for (size_t i = 0; i < n;) {
    const size_t length = Utf8SequenceLength(p, n, i);
    if (length == 0) return false;
    if (length == 2 && i + 1 < n)
      russian = russian || IsCyrillicCodePoint((p[i] & 0x1Fu) << 6 | (p[i + 1] & 0x3Fu));
    i += length;
  }
  return russian;
}

}  // namespace

size_t Utf8SequenceLength(const unsigned char* p, size_t n, size_t i) {
  const unsigned char b = p[i];
  if (b < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (size_t k = 1; k < length && i + k < n; ++k) {
    const unsigned char c = p[i + k];
    if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return 0;
  }
  return length;
}

void AppendUtf8AsWindows1251(const char* bytes, size_t length, const Utf8Replacements& with,
                             std::string& output) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  const size_t start = output.size();
  output.resize(start + length);  // never more than one byte per input byte
  char* out = output.data() + start;
  for (size_t i = 0; i < length;) {
    // ASCII but NUL stands for itself in Windows-1251: the common case
    // skips the decoder and the table.
    if (p[i] - 1u < 0x7Fu) {
      *out++ = static_cast<char>(p[i++]);
      continue;
    }
    *out++ = Windows1251ByteOf(Utf8DecodeAt(p, length, i), with);
  }
  output.resize(static_cast<size_t>(out - output.data()));
}

bool IsRussianUtf8(const std::string& text) {
  return IsRussianUtf8(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// ---- CodePageConverter ----

void CodePageConverter::Init() {
  // The tables are constant data (code_page_tables.cpp); only the state is
  // reset. Nothing is ever zeroed.
  current_.store(kTableWin, std::memory_order_relaxed);
  saved_.store(kTableWin, std::memory_order_relaxed);
  defaultChar_.store(' ', std::memory_order_relaxed);
}

int32_t CodePageConverter::SetTable(int32_t index) {
  const int32_t previous = current_.exchange(index, std::memory_order_relaxed);
  saved_.store(previous, std::memory_order_relaxed);
  return previous;
}

void CodePageConverter::RestoreTable() {
  current_.store(saved_.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

int32_t CodePageConverter::Select(int32_t externalIndex, int32_t apply) {
  int32_t index = -1;
  switch (externalIndex) {
    case kCodePageWin: index = kTableWin; break;
    case kCodePageDos: index = kTableDos; break;
    case kCodePageKoi8r: index = kTableKoi8r; break;
    case kCodePageIso: index = kTableIso; break;
    default: break;
  }
  if (index >= 0 && apply == 1) return SetTable(index);
  return CurrentTable();
}

const CodePageTable* CodePageConverter::ForwardTable(int32_t index) {
  switch (index) {
    case kTableDos: return &kDos866Table;
    case kTableKoi8r: return &kKoi8rTable;
    case kTableIso: return &kIso88595Table;
    case kTableWin: return &kWin1251Table;
    default: return nullptr;
  }
}

int CodePageConverter::ReverseByte(uint32_t codeUnit) {
  return codeUnit < static_cast<uint32_t>(kReverseTableSize) ? kWin1251ReverseTable[codeUnit] : 0;
}

int32_t CodePageConverter::ConvertBytes(const char* bytes, int32_t length, char* out) const {
  if (length <= 0) return 0;
  const int32_t index = CurrentTable();
  const CodePageTable* table = index == kTableWin ? nullptr : ForwardTable(index);
  if (table == nullptr) {
    // Index 3 (Windows-1251): the bytes are copied unchanged. An index that
    // names no table is treated the same way.
    if (out != bytes) std::memmove(out, bytes, static_cast<size_t>(length));
    return length;
  }
  const char def = static_cast<char>(DefaultChar());
  for (int32_t i = 0; i < length; ++i) {
    const uint16_t u = (*table)[static_cast<unsigned char>(bytes[i])];
    const int c = ReverseByte(u);
    if (c != 0)
      out[i] = static_cast<char>(c);
    else if (u == 0)
      out[i] = 0;
    else
      out[i] = def;
  }
  return length;
}

int32_t CodePageConverter::ConvertString(const std::string& text, std::vector<char>& out) const {
  out.resize(text.size());
  return ConvertBytes(text.data(), static_cast<int32_t>(text.size()), out.data());
}

void CodePageConverter::Convert(const std::string& text, std::string& out) const {
  out.resize(text.size());
  ConvertBytes(text.data(), static_cast<int32_t>(text.size()), out.data());
}

std::string CodePageConverter::Converted(const std::string& text) const {
  std::string out;
  Convert(text, out);
  return out;
}

void CodePageConverter::ConvertInPlace(std::string& text) const {
  ConvertBytes(text.data(), static_cast<int32_t>(text.size()), text.data());
}

int32_t CodePageConverter::ToWide(const std::string& text, std::u16string& out) const {
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    out[i] = static_cast<char16_t>(kWin1251Table[static_cast<unsigned char>(text[i])]);
  return static_cast<int32_t>(text.size());
}

int32_t CodePageConverter::FromWide(const std::u16string& text, std::string& out) const {
  return FromWideInto(*this, text, out);
}

int32_t CodePageConverter::FromWideToBuffer(const std::u16string& text, std::vector<char>& out) const {
  return FromWideInto(*this, text, out);
}

// ---- Free functions ----

CodePageConverter& GlobalCodePageConverter() { return g_codePageConverter; }

void InitCodePages() { g_codePageConverter.Init(); }

std::u16string NarrowToWide(const std::string& text) {
  std::u16string out;
  g_codePageConverter.ToWide(text, out);
  return out;
}

std::string WideToNarrow(const std::u16string& text) {
  std::string out;
  g_codePageConverter.FromWide(text, out);
  return out;
}

int32_t Utf8Decode(const std::string& bytes, std::vector<uint32_t>& out) {
  out.clear();
  const size_t n = bytes.size();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t i = 0;
  while (i < n) out.push_back(Utf8DecodeAt(p, n, i));
  return static_cast<int32_t>(out.size());
}

int32_t Utf8ToWide(const std::string& bytes, std::u16string& out, char16_t replacement) {
  std::vector<uint32_t> codePoints;
  Utf8Decode(bytes, codePoints);
  out.resize(codePoints.size());
  for (size_t i = 0; i < codePoints.size(); ++i)
    out[i] = codePoints[i] >= 0x10000 ? replacement : static_cast<char16_t>(codePoints[i]);
  return static_cast<int32_t>(out.size());
}

bool IsPlausibleCyrillicByte(int c) {
  const int b = c & 0xFF;
  return b < 0x80 || (b >= 0xC0 && b <= 0xF7);
}

bool IsCyrillicCodePoint(uint32_t codeUnit) {
  return (codeUnit >= 0x0410 && codeUnit <= 0x044F) || codeUnit == 0x0401 || codeUnit == 0x0451;
}

int32_t DetectCodePage(const CodePageConverter& converter, const std::string& text) {
  return DetectCodePage(converter, text.data(), text.size());
}

namespace {

inline bool IsCyrillicCapital(uint32_t code) {
  return (code >= 0x0410 && code <= 0x042F) || code == 0x0401;
}

// One 8-bit reading of a text: its Cyrillic letters, and its case faults
// (a capital inside a run of letters that began with a small one), the
// measure that breaks a tie between readings.
struct Reading {
  int64_t letters = 0;
  int64_t caseFaults = 0;
};

Reading ReadAs(const CodePageTable& table, const unsigned char* p, size_t n) {
  Reading reading;
  bool inRun = false, smallFirst = false;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t code = table[p[i]];
    if (!IsCyrillicCodePoint(code)) {
      inRun = false;
      continue;
    }
    ++reading.letters;
    const bool capital = IsCyrillicCapital(code);
    if (!inRun) {
      inRun = true;
      smallFirst = !capital;
    } else if (smallFirst && capital) {
      ++reading.caseFaults;
    }
  }
  return reading;
}

// The Windows-1251 and KOI8-R case faults by their byte ranges: a run that
// begins with a byte of smallFirst, then a byte of capital.
template <typename SmallFirst, typename Capital>
int64_t ByteCaseFaults(const CodePageTable& table, const unsigned char* p, size_t n,
                       SmallFirst smallFirst, Capital capital) {
  int64_t faults = 0;
  bool inRun = false;
  unsigned char first = 0;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char b = p[i];
    if (!IsCyrillicIn(table, b)) {
      inRun = false;
      continue;
    }
    if (!inRun) {
      inRun = true;
      first = b;
    } else if (smallFirst(first) && capital(b)) {
      ++faults;
    }
  }
  return faults;
}

// Windows-1251 signs of Russian typography, where ISO-8859-5 reads them as
// capitals that begin no word: "№" (Й) before a digit or a blank, "°" (А)
// after a digit, "»" (Л) closing a quote: after neither a blank, a
// full stop (an initial) or a capital, before no letter.
int64_t IsoLettersOnWindowsSigns(const unsigned char* p, size_t n) {
  const auto isoLetter = [](unsigned char b) { return IsCyrillicIn(kIso88595Table, b); };
  const auto isoCapital = [](unsigned char b) { return b >= 0xB0 && b <= 0xCF; };
  const auto isDigit = [](unsigned char b) { return b >= '0' && b <= '9'; };
  int64_t signs = 0;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char before = i > 0 ? p[i - 1] : ' ';
    const unsigned char after = i + 1 < n ? p[i + 1] : ' ';
    if ((p[i] == 0xB9 && (isDigit(after) || after == ' ')) || (p[i] == 0xB0 && isDigit(before)) ||
        (p[i] == 0xBB && before > ' ' && before != '.' && !isoCapital(before) && !isoLetter(after)))
      ++signs;
  }
  return signs;
}

}  // namespace

// The converter is not needed: UTF-8 is counted by its Russian letters.
int32_t DetectCodePage(const CodePageConverter& /*converter*/, const char* bytes, size_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  const size_t n = bytes == nullptr ? 0 : length;
  // Russian text in well-formed UTF-8: symbols outside Windows-1251 (a euro,
  // CJK, emoji) read as letters in the 8-bit code pages and could outscore
  // it, and 8-bit Russian text is well-formed UTF-8 only by rare chance.
  if (IsRussianUtf8(p, n)) return kCodePageUtf8;

  const Reading readings[] = {ReadAs(kWin1251Table, p, n), ReadAs(kDos866Table, p, n),
                              ReadAs(kKoi8rTable, p, n), ReadAs(kIso88595Table, p, n)};
  const int64_t w = readings[0].letters, d = readings[1].letters, k = readings[2].letters,
                iso = readings[3].letters;
  // 1. Windows-1251 case faults: a small letter (0xE0 and above) first.
  const int64_t wf = ByteCaseFaults(
      kWin1251Table, p, n, [](unsigned char b) { return b >= 0xE0; },
      [](unsigned char b) { return b >= 0xC0 && b <= 0xDF; });
  // 3. KOI8-R case faults: a small letter (0xC0-0xDF) first.
  const int64_t kf = ByteCaseFaults(
      kKoi8rTable, p, n, [](unsigned char b) { return b >= 0xC0 && b <= 0xDF; },
      [](unsigned char b) { return b >= 0xE0; });
  // 5. UTF-8: its Russian letters.
  int64_t u = 0;
  for (size_t i = 0; i < n;) u += IsCyrillicCodePoint(Utf8DecodeAt(p, n, i)) ? 1 : 0;

  int64_t best = w;
  int32_t result = kCodePageWin;
  bool tie = false;
  if (d >= best) {
    result = kCodePageDos;
    tie = (d == w);
    best = d;
  }
  if (k >= best) {
    if (!(k == w && wf <= kf)) result = kCodePageKoi8r;
    tie = (k == best && k != w);
    best = k;
  }
  if (iso >= best) {
    result = kCodePageIso;
    tie = (iso == best);
    best = iso;
  }
  if (2 * u >= best) {
    result = kCodePageUtf8;
    tie = (2 * u == best);
    best = 2 * u;
  }
  if (best == 0) return kCodePageWin;
  // A tie with UTF-8 that is not well-formed has no answer.
  if (result == kCodePageUtf8) return tie ? kCodePageUnknown : kCodePageUtf8;
  // ISO-8859-5 ahead of Windows-1251 only by reading its signs as letters
  // ("Дом №5.") ties with it.
  const bool isoOnSigns =
      result == kCodePageIso && !tie && iso - IsoLettersOnWindowsSigns(p, n) <= w;
  // The scoring settles a tie of Windows-1251 and KOI8-R alone by their case
  // faults; with DOS tied too it would leave DOS standing.
  const int tied = (w == best) + (d == best) + (k == best) + (iso == best);
  if (!isoOnSigns && (tied == 1 || (tied == 2 && w == best && k == best))) return result;
  // Of the tied readings the one with the fewest case faults, the first in
  // the order of scoring on equal faults (Windows-1251 before the others).
  constexpr int32_t kReadingPages[] = {kCodePageWin, kCodePageDos, kCodePageKoi8r, kCodePageIso};
  int32_t chosen = kCodePageUnknown;
  int64_t fewest = 0;
  for (size_t r = 0; r < std::size(readings); ++r) {
    const bool tied = readings[r].letters == best || (isoOnSigns && r == 0);
    if (tied && (chosen == kCodePageUnknown || readings[r].caseFaults < fewest)) {
      chosen = kReadingPages[r];
      fewest = readings[r].caseFaults;
    }
  }
  return chosen;
}

std::string DetectedToWindows1251(CodePageConverter& converter, const std::string& text) {
  return ToWindows1251(converter, text, DetectCodePage(converter, text));
}

std::string ToWindows1251(CodePageConverter& converter, const std::string& text,
                          int32_t codePage) {
  if (codePage == kCodePageUtf8) {
    // What Utf8ToWide with '?' and then FromWide give.
    const char def = static_cast<char>(converter.DefaultChar());
    std::string converted;
    AppendUtf8AsWindows1251(text.data(), text.size(), {def, def, '?'}, converted);
    return converted;
  }
  if (codePage < kCodePageDos || codePage > kCodePageIso) return text;
  converter.Select(codePage, 1);
  std::string converted = converter.Converted(text);
  converter.RestoreTable();
  return converted;
}

namespace {
constexpr const char16_t* kNames[] = {u"Auto", u"Win", u"DOS", u"KOI8R", u"ISO"};
constexpr const char* kNamesNarrow[] = {"Auto", "Win", "DOS", "KOI8R", "ISO"};
}  // namespace

std::u16string CodePageName(int32_t externalIndex) {
  if (externalIndex >= 0 && externalIndex <= 4) return kNames[externalIndex];
  return u"UnknownCodePage";
}

std::string CodePageNameNarrow(int32_t externalIndex) {
  if (externalIndex >= 0 && externalIndex <= 4) return kNamesNarrow[externalIndex];
  return "UnknownCodePage";
}

int32_t CodePageFromName(const std::u16string& name) {
  for (int32_t i = 0; i < 5; ++i)
    if (name == kNames[i]) return i;
  return kCodePageUnknown;
}

int32_t CodePageFromName(const std::string& name) {
  for (int32_t i = 0; i < 5; ++i)
    if (name == kNamesNarrow[i]) return i;
  return kCodePageUnknown;
}

void CodePageNames(std::vector<std::u16string>& names) {
  names.clear();
  for (const char16_t* name : kNames) names.emplace_back(name);
}
