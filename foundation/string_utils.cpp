#include "foundation/string_utils.h"

#include <cctype>

namespace {

template <typename Str>
void TrimSet(Str& text, const typename Str::value_type* set) {
  const auto first = text.find_first_not_of(set);
  if (first == Str::npos) {
    text.clear();
    return;
  }
  text.erase(text.find_last_not_of(set) + 1);
  text.erase(0, first);
}

// Cuts [first, last) at every unit for which isSeparator holds. Each piece is
// trimmed when trim is set; empty pieces are dropped. A separator for which
// keep holds is added as a one-unit piece at its place.
template <typename Str, typename It, typename SepPred, typename KeepPred>
void SplitRange(It first, It last, std::vector<Str>& out, bool trim, SepPred isSeparator,
                KeepPred keep) {
  out.clear();
  Str piece;
  auto flush = [&] {
    if (trim) Trim(piece);
    if (!piece.empty()) out.push_back(piece);
    piece.clear();
  };
  for (It it = first; it != last; ++it) {
    const auto c = static_cast<typename Str::value_type>(*it);
    if (!isSeparator(c)) {
      piece.push_back(c);
      continue;
    }
    flush();
    if (keep(c)) out.emplace_back(1, c);
  }
  flush();
}

template <typename Str, typename SepPred>
void SplitTrimmed(const Str& text, std::vector<Str>& out, SepPred isSeparator) {
  SplitRange(text.begin(), text.end(), out, true, isSeparator,
             [](typename Str::value_type) { return false; });
}

bool InSet(const std::string& set, char c) { return set.find(c) != std::string::npos; }

}  // namespace

std::string IntToString(INT value) { return std::to_string(value); }

void AppendBackslash(std::string& path) {
  if (!path.empty() && path.back() != '\\') path.push_back('\\');
}

void AppendBackslashWide(std::u16string& path) {
  if (!path.empty() && path.back() != u'\\') path.push_back(u'\\');
}

std::string WithBackslash(const std::string& path) {
  std::string copy = path;
  AppendBackslash(copy);
  return copy;
}

std::string JoinPath(const std::string& folder, const std::string& fileName) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + fileName;
  return folder + "/" + fileName;
}

void Trim(std::string& text) { TrimSet(text, " \n\t"); }

void Trim(std::u16string& text) { TrimSet(text, u" \n\t"); }

void TrimText(std::string& text) { Trim(text); }

void StripComment(std::string& text) {
  const auto comment = text.find("//");
  if (comment != std::string::npos) text.erase(comment);
  TrimSet(text, " \t\n\r");
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() > suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

INT ReplaceAllRange(std::string& text, const std::string& find, const char* first,
                    const char* last) {
  if (find.empty()) return -1;
  const size_t replacementSize = static_cast<size_t>(last - first);
  size_t pos = text.find(find);
  while (pos != std::string::npos) {
    text.replace(pos, find.size(), first, replacementSize);
    pos = text.find(find, pos + replacementSize);
  }
  return -1;
}

void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement) {
  ReplaceAllRange(text, find, replacement.data(), replacement.data() + replacement.size());
}

void ReverseIntoString(const std::vector<BYTE>& bytes, std::string& out) {
  out.assign(bytes.rbegin(), bytes.rend());
}

void SplitWords(const std::string& text, std::vector<std::string>& out) {
  SplitTrimmed(text, out, [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

void SplitByChar(const std::string& text, std::vector<std::string>& out, char separator) {
  SplitTrimmed(text, out, [separator](char c) { return c == separator; });
}

void SplitWide(const std::u16string& text, std::vector<std::u16string>& out,
               char16_t separator) {
  SplitTrimmed(text, out, [separator](char16_t c) { return c == separator; });
}

void SplitAtLetters(const std::string& text, std::vector<std::string>& out) {
  SplitTrimmed(text, out, [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

void SplitTabbed(const std::string& text, std::vector<std::string>& out) {
  SplitByChar(text, out, '\t');
}

void SplitByAny(const std::string& text, std::vector<std::string>& out,
                const std::string& separators) {
  SplitTrimmed(text, out, [&separators](char c) { return InSet(separators, c); });
}

void SplitByAny(const std::vector<BYTE>& bytes, std::vector<std::string>& out,
                const std::string& separators) {
  SplitRange(bytes.begin(), bytes.end(), out, true,
             [&separators](char c) { return InSet(separators, c); },
             [](char) { return false; });
}

void SplitByAnyKeeping(const std::string& text, std::vector<std::string>& out,
                       const std::string& separators, const std::string& keep) {
  SplitRange(text.begin(), text.end(), out, true,
             [&separators](char c) { return InSet(separators, c); },
             [&keep](char c) { return InSet(keep, c); });
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> pieces;
  SplitRange(text.begin(), text.end(), pieces, false, [](char c) { return c == ','; },
             [](char) { return false; });
  return pieces;
}

std::string JoinList(const std::vector<std::string>& items) {
  std::string joined;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined.push_back(',');
    joined += items[i];
  }
  return joined;
}

std::string JoinPairList(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string joined;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (i > 0) joined.push_back(',');
    joined += pairs[i].first;
    joined.push_back(',');
    joined += pairs[i].second;
  }
  return joined;
}
