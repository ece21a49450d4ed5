#include "textanalysis/lexicon/user_stress_base_file.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "foundation/char_classes.h"
#include "foundation/text_file.h"
#include "platform/registry.h"

namespace {

// Lines this long or longer are skipped on load.
constexpr size_t kMaxLine = 127;

constexpr const char16_t* kGenerationKey = u"Software\\Morvane\\Glossel Module\\419";
constexpr const char16_t* kGenerationValue = u"UserStressBaseGeneration";

// Whether Load reads the line back exactly as it is written: not empty, not
// too long, not a comment, nothing that trimming would cut and no line
// break inside.
bool ReadsBackAsWritten(const std::string& line) {
  if (line.empty() || line.size() >= kMaxLine || line.front() == '#') return false;
  const auto trimmed = [](char c) { return c == ' ' || c == '\t'; };
  if (trimmed(line.front()) || trimmed(line.back())) return false;
  return line.find_first_of(std::string("\n\r\0", 3)) == std::string::npos;
}

std::string WithoutPluses(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '+') out.push_back(c);
  return out;
}

}  // namespace

UserStressBaseFile::Table& UserStressBaseFile::TableOf(std::string_view key) {
  switch (StarPatternKind(key)) {
    case StarPattern::Kind::kInfix:
      return infix_;
    case StarPattern::Kind::kSuffix:
      return suffix_;
    case StarPattern::Kind::kPrefix:
      return prefix_;
    default:
      return exact_;
  }
}

bool UserStressBaseFile::Load(const std::u16string& path) {
  if (path.empty()) return false;
  exact_.clear();
  prefix_.clear();
  suffix_.clear();
  infix_.clear();
  path_ = path;
  std::vector<std::string> lines;
  ReadLines(path.c_str(), lines, '#');
  for (const std::string& line : lines) ApplyLine(line);
  return true;
}

void UserStressBaseFile::ApplyLine(const std::string& line) {
  if (line.empty() || line.size() >= kMaxLine) return;
  const size_t mark = line.find('+');
  if (mark == std::string::npos) {
    // A removal; keys are stored lower-cased, so the key is too.
    std::string key = line;
    RusLowerString(key);
    TableOf(key).erase(key);
    return;
  }
  if (mark == 0) return;
  std::string key = WithoutPluses(line);
  if (line.size() - key.size() > 1) return;
  RusLowerString(key);
  const size_t stressed = mark - 1;
  if (!IsRusVowel(static_cast<unsigned char>(key[stressed]))) return;
  TableOf(key)[key] = static_cast<int8_t>(static_cast<int>(stressed) - LeadingStars(key));
}

int UserStressBaseFile::Find(std::string_view word) const {
  std::string w(word);
  RusLowerString(w);
  const std::string_view view(w);

  if (const auto it = exact_.find(view); it != exact_.end()) return it->second;

  // Prefix: the first key not less than the word, else the key before it.
  const auto isPrefix = [&](const std::string& key) {
    return view.starts_with(std::string_view(key).substr(0, key.size() - 1));
  };
  if (auto it = prefix_.lower_bound(view); it != prefix_.end() && isPrefix(it->first))
    return it->second;
  else if (it != prefix_.begin() && isPrefix(std::prev(it)->first))
    return std::prev(it)->second;

  // Suffix, in key order: the core's first occurrence ends the word.
  for (const auto& [key, value] : suffix_) {
    const std::string_view core = std::string_view(key).substr(1);
    if (view.ends_with(core) && view.find(core) == view.size() - core.size())
      return value + static_cast<int>(view.size() - core.size());
  }

  // Infix, in key order: the first occurrence of the core.
  for (const auto& [key, value] : infix_) {
    const std::string_view core = std::string_view(key).substr(1, key.size() - 2);
    if (const size_t at = view.find(core); at != std::string_view::npos)
      return value + static_cast<int>(at);
  }

  // Only where nothing above matched, so that every answer above stays as
  // it is: the longest prefix pattern (the search above misses one when
  // another key sorts between it and the word), then a suffix pattern whose
  // core occurs earlier in the word as well as at its end.
  if (!prefix_.empty()) {
    std::string key;
    key.reserve(w.size() + 1);
    for (size_t length = w.size(); length > 0; --length) {
      key.assign(w, 0, length);
      key.push_back('*');
      if (const auto it = prefix_.find(key); it != prefix_.end()) return it->second;
    }
  }
  for (const auto& [key, value] : suffix_) {
    const std::string_view core = std::string_view(key).substr(1);
    if (view.ends_with(core)) return value + static_cast<int>(view.size() - core.size());
  }
  return kNoStress;
}

bool UserStressBaseFile::Add(const std::string& word, int stress) {
  std::string key = WithoutPluses(word);
  RusLowerString(key);

  if (stress == kNoStress) {
    if (!ReadsBackAsWritten(key)) return false;
    // A key that no table holds leaves the file as it is.
    for (Table* table : {&exact_, &suffix_, &prefix_, &infix_}) {
      if (table->erase(key) != 0) {
        AppendLine(key);
        break;
      }
    }
    BumpUserStressBaseGeneration();
    return true;
  }

  if (stress < 0 || static_cast<size_t>(stress) >= key.size() ||
      !IsRusVowel(static_cast<unsigned char>(key[stress])))
    return false;
  std::string line = key;
  line.insert(static_cast<size_t>(stress) + 1, 1, '+');
  if (!ReadsBackAsWritten(line)) return false;

  // Stored as a reload of the line would store it: patterns count from
  // their first character after the leading "*".
  const auto value = static_cast<int8_t>(stress - LeadingStars(key));
  Table& table = TableOf(key);
  const auto it = table.find(key);
  if (it != table.end() && it->second == value) return false;
  table[key] = value;
  AppendLine(line);
  BumpUserStressBaseGeneration();
  return true;
}

bool UserStressBaseFile::AddMarked(const std::string& text) {
  const size_t mark = text.find('+');
  if (mark == std::string::npos) return false;
  std::string word = text;
  word.erase(mark, 1);
  return Add(word, static_cast<int>(mark) - 1);
}

const std::set<std::string>& UserStressBaseFile::ListEntries() {
  listed_.clear();
  for (const Table* table : {&infix_, &suffix_, &prefix_, &exact_})
    for (const auto& entry : *table) listed_.insert(entry.first);
  return listed_;
}

std::map<std::string, int> UserStressBaseFile::ListStresses() const {
  std::map<std::string, int> entries;
  for (const Table* table : {&infix_, &suffix_, &prefix_, &exact_})
    for (const auto& [key, value] : *table) entries.emplace(key, value + LeadingStars(key));
  return entries;
}

void UserStressBaseFile::AppendLine(const std::string& line) const {
  if (path_.empty()) return;
  bool needsBreak = false;
  {
    TextFile existing(path_.c_str(), u"rb");
    const DWORD size = existing.GetSize();
    char last = '\n';
    if (size > 0 && existing.Seek(static_cast<LONG>(size - 1)) && existing.Read(&last, 1) == 1)
      needsBreak = last != '\n';
  }
  TextFile file(path_.c_str(), u"at");
  if (!file.IsOpen()) return;
  if (needsBreak) file.WriteNewLine();
  file.WriteLine(line);
}

void UserStressBaseFile::BumpUserStressBaseGeneration() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGenerationKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, kGenerationValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    value = 0;
  ++value;
  RegSetValueExW(key, kGenerationValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
  RegCloseKey(key);
}
