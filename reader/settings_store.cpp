#include "reader/settings_store.h"

#include <cstring>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"
#include "platform/atomic_file.h"
#include "platform/unicode.h"

bool SettingsKeyLess::operator()(const std::string& a, const std::string& b) const {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c < 0;
  return a.size() < b.size();
}

CSettingsStore::~CSettingsStore() { Clear(); }

namespace {

bool IsEdgeBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool HasNoBreaks(const std::string& text) {
  return text.find_first_of("=\n\r") == std::string::npos;
}

// A longer line would come back cut in two.
bool FitsOneLine(const std::string& key, const std::string& value) {
  return key.size() + 1 + value.size() < CSettingsStore::kLongestLine;
}

bool RoundTrips(char16_t c) {
  const std::u16string one(1, c);
  return NarrowToWide(WideToNarrow(one)) == one;
}

}  // namespace

bool CSettingsStore::IsStorableKey(const std::string& key) {
  return !key.empty() && key[0] != '#' && HasNoBreaks(key) && !IsEdgeBlank(key.front()) &&
         !IsEdgeBlank(key.back());
}

bool CSettingsStore::IsStorableValue(const std::string& value) {
  return !value.empty() && HasNoBreaks(value) && !IsEdgeBlank(value.front()) &&
         !IsEdgeBlank(value.back());
}

namespace {

constexpr char kPathEscape = '\x98';
constexpr char16_t kPathEscapeWide = 0x0098;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool KeptAsByte(const std::u16string& path, size_t i) {
  const char16_t c = path[i];
  // Control characters may be trimmed or split at; the separators of the
  // line and of the recent list.
  if (c < u' ' || c == kPathEscapeWide || c == u'=' || c == u';') return false;
  if ((i == 0 || i + 1 == path.size()) && c == u' ') return false;
  return RoundTrips(c);
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

std::string CSettingsStore::StorablePath(const std::u16string& path) {
  std::string out;
  out.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    if (KeptAsByte(path, i)) {
      out += WideToNarrow(path.substr(i, 1));
      continue;
    }
    out += kPathEscape;
    for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(path[i] >> shift) & 0xF];
  }
  return out;
}

std::u16string CSettingsStore::PathFromStored(const std::string& value) {
  const std::u16string wide = NarrowToWide(value);
  std::u16string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == kPathEscapeWide && i + 4 < wide.size()) {
      int unit = 0;
      size_t k = 1;
      for (; k <= 4; ++k) {
        const int digit = HexValue(wide[i + k]);
        if (digit < 0) break;
        unit = unit * 16 + digit;
      }
      if (k == 5) {
        out += static_cast<char16_t>(unit);
        i += 4;
        continue;
      }
    }
    out += wide[i];
  }
  return out;
}

int CSettingsStore::Load(const std::u16string& path) {
  Clear();
  std::vector<std::string> lines;
  ReadLines(path.c_str(), lines, '#');
  std::vector<std::string> pieces;
  for (const std::string& line : lines) {
    SplitByChar(line, pieces, '=');
    if (pieces.size() == 2) entries_[pieces[0]] = pieces[1];
  }
  path_ = path;
  return 1;
}

int CSettingsStore::Save() {
  if (path_.empty()) return 0;
  if (!dirty_) return 1;
  // A small file of the reader's own: written whole or not at all, and never
  // held to the free space a conversion must leave.
  std::string text;
  for (const auto& [key, value] : entries_) text.append(key).append(1, '=').append(value).append(1, '\n');
  if (!WriteFileAtomically(Utf16ToUtf8(path_), text)) return 0;
  dirty_ = false;
  return 1;
}

void CSettingsStore::Clear() {
  entries_.clear();
  path_.clear();
  dirty_ = false;
}

bool CSettingsStore::SetInt(const std::string& key, INT value) {
  return SetString(key, IntToString(value));
}

bool CSettingsStore::SetBool(const std::string& key, bool value) {
  return SetString(key, value ? "1" : "0");
}

bool CSettingsStore::SetString(const std::string& key, const std::string& value) {
  if (!IsStorableKey(key)) return false;
  if (value.empty()) {
    // "key=" reads back as no entry at all, so it is stored as none.
    if (entries_.erase(key) != 0) dirty_ = true;
    return true;
  }
  if (!IsStorableValue(value) || !FitsOneLine(key, value)) return false;
  entries_[key] = value;
  dirty_ = true;
  return true;
}

bool CSettingsStore::SetWideString(const std::string& key, const std::u16string& value) {
  const std::string narrow = WideToNarrow(value);
  // A character with no Windows-1251 byte becomes a blank wherever it is;
  // at either end the file trims it when read back.
  const bool blankAtEdge = !value.empty() && (!RoundTrips(value.front()) || !RoundTrips(value.back()));
  if (!blankAtEdge || !IsStorableKey(key) || !HasNoBreaks(narrow) || !FitsOneLine(key, narrow))
    return SetString(key, narrow);
  entries_[key] = narrow;
  dirty_ = true;
  return true;
}

bool CSettingsStore::SetPath(const std::string& key, const std::u16string& path) {
  return SetString(key, StorablePath(path));
}

int CSettingsStore::GetPath(const std::string& key, std::u16string& out) const {
  out.clear();
  std::string stored;
  if (!GetString(key, stored)) return 0;
  out = PathFromStored(stored);
  return 1;
}

int CSettingsStore::GetInt(const std::string& key, INT& out) const {
  out = 0;
  auto it = entries_.find(key);
  if (it == entries_.end()) return 0;
  out = SettingsAtoi(it->second);
  return 1;
}

int CSettingsStore::GetBool(const std::string& key, bool& out) const {
  out = false;
  INT value = 0;
  if (!GetInt(key, value)) return 0;
  out = value == 1;
  return 1;
}

int CSettingsStore::GetString(const std::string& key, std::string& out) const {
  out.clear();
  auto it = entries_.find(key);
  if (it == entries_.end()) return 0;
  out = it->second;
  return 1;
}

int CSettingsStore::GetWideString(const std::string& key, std::u16string& out) const {
  out.clear();
  std::string narrow;
  if (!GetString(key, narrow)) return 0;
  out = NarrowToWide(narrow);
  return 1;
}

INT SettingsAtoi(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 32) value = int64_t{1} << 32;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<INT>(value);
}
