#include "reader/settings_store.h"

#include <cstring>
#include <vector>

#include "documents/common/output_file.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"
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

}  // namespace

bool CSettingsStore::IsStorableKey(const std::string& key) {
  return !key.empty() && key[0] != '#' && HasNoBreaks(key) && !IsEdgeBlank(key.front()) &&
         !IsEdgeBlank(key.back());
}

bool CSettingsStore::IsStorableValue(const std::string& value) {
  return !value.empty() && HasNoBreaks(value) && !IsEdgeBlank(value.front()) &&
         !IsEdgeBlank(value.back());
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
  // A temporary of its own beside the file, renamed over it: a link planted
  // there is never written through, and two readers never share one.
  OutputFile file;
  if (!file.Create(path_.c_str())) return 0;
  std::string line;
  for (const auto& [key, value] : entries_) {
    line.assign(key).append(1, '=').append(value).append(1, '\n');
    if (!file.Write(line)) return 0;
  }
  if (!file.Commit()) return 0;
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
  if (!IsStorableValue(value)) return false;
  entries_[key] = value;
  dirty_ = true;
  return true;
}

bool CSettingsStore::SetWideString(const std::string& key, const std::u16string& value) {
  return SetString(key, WideToNarrow(value));
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
