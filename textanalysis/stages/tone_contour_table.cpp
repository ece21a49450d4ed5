#include "textanalysis/stages/tone_contour_table.h"

#include <algorithm>
#include <charconv>

#include "foundation/string_utils.h"
#include "foundation/text_file.h"

namespace {

constexpr size_t kFieldCount = 13;
constexpr size_t kFirstListField = 7;
constexpr char kNeutral[] = "(.)";
constexpr char kNoContour[] = "(NULL)";
// A wider range in a hand-written table is a typing error; expanding it
// would only fill memory.
constexpr long long kMaxRangeValues = 1000;

bool ParseNumber(const std::string& text, int& value) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "7" or "2-5" into its first and last value.
bool ParseValues(const std::string& field, int& first, int& last) {
  const size_t dash = field.find('-');
  if (dash == std::string::npos) {
    if (!ParseNumber(field, first)) return false;
    last = first;
    return true;
  }
  return ParseNumber(field.substr(0, dash), first) && ParseNumber(field.substr(dash + 1), last) &&
         first <= last && static_cast<long long>(last) - first < kMaxRangeValues;
}

}  // namespace

bool ToneContourTable::Load(const std::u16string& path) {
  std::vector<std::string> lines;
  if (!ReadLinesFrom(path.c_str(), '#', lines)) {
    Clear();
    return false;
  }
  return LoadLines(lines);
}

bool ToneContourTable::LoadLines(const std::vector<std::string>& lines) {
  Clear();
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '#') continue;
    if (!AddLine(line)) {
      Clear();
      return false;
    }
  }
  return true;
}

bool ToneContourTable::AddLine(const std::string& line) {
  std::vector<std::string> fields;
  SplitByAny(line, fields, " \t");
  if (fields.size() != kFieldCount) return false;
  int first = 0, last = 0;
  if (!ParseValues(fields[1], first, last)) return false;

  Entry entry;
  std::vector<std::string> pieces;
  for (size_t list = 0; list < entry.size(); ++list) {
    SplitByAny(fields[kFirstListField + list], pieces, "()");
    for (const std::string& piece : pieces) entry[list].push_back("(" + piece + ")");
  }
  std::string tail;
  for (size_t f = 2; f < kFirstListField; ++f) tail += fields[f];
  for (int v = first; v <= last; ++v) entries_[fields[0] + IntToString(v) + tail] = entry;
  return true;
}

std::string ToneContourTable::Lookup(int before, int after, const std::string& text,
                                     const std::array<bool, 4>& flags, int grade) const {
  if (grade < -1) return kNeutral;
  std::string key = IntToString(before >= 4 ? 5 : before + 1) + IntToString(std::min(after, 6)) + "/" +
                    (text.empty() ? std::string("0") : text) + "/";
  for (bool flag : flags) key += flag ? '+' : '-';
  const auto found = entries_.find(key);
  if (found == entries_.end()) return kNeutral;
  const std::vector<std::string>& list = found->second[2 * (std::min(std::max(grade, 0), 5) / 2)];
  if (list.empty() || list.front() == kNoContour) return kNeutral;
  return list.front();
}
