#include "textanalysis/lexicon/mask_word_list.h"

#include <algorithm>
#include <cstdint>

#include "foundation/char_classes.h"
#include "textanalysis/lexicon/whole_file.h"

namespace {

// Reads one length-prefixed string at `at`, moving past it; false when it
// runs past the end of the bytes.
bool ReadCounted(std::string_view bytes, size_t& at, std::string_view& out) {
  if (at >= bytes.size()) return false;
  const size_t length = static_cast<unsigned char>(bytes[at]);
  if (length > bytes.size() - at - 1) return false;
  out = bytes.substr(at + 1, length);
  at += 1 + length;
  return true;
}

bool ParseEntry(std::string_view words, size_t at, MaskEntry& entry) {
  std::string_view pattern, context, result;
  if (!ReadCounted(words, at, pattern) || !ReadCounted(words, at, context) ||
      !ReadCounted(words, at, result))
    return false;
  const std::vector<std::string_view> sides = SplitFields(context, '|');
  return sides.size() == 2 && MakeMaskEntry(pattern, sides[0], sides[1], result, entry);
}

}  // namespace

void MaskWordList::Load(const std::u16string& indexPath, const std::u16string& wordsPath) {
  entries_.clear();
  std::string index, words;
  if (!ReadWholeFile(indexPath, index) || !ReadWholeFile(wordsPath, words)) return;
  const size_t count = index.size() / 2;
  entries_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t offset = static_cast<unsigned char>(index[2 * i]) |
                          static_cast<size_t>(static_cast<unsigned char>(index[2 * i + 1])) << 8;
    MaskEntry entry;
    if (ParseEntry(words, offset, entry)) entries_.push_back(std::move(entry));
  }
}

bool MaskWordList::Decide(const WordTexts& texts, size_t index, bool reversed,
                          int& decision) const {
  std::string word = texts[index];
  RusLowerString(word);
  if (reversed) std::reverse(word.begin(), word.end());

  const auto first = std::lower_bound(
      entries_.begin(), entries_.end(), word,
      [](const MaskEntry& entry, const std::string& key) { return entry.pattern < key; });

  // 1 decided, 0 go on, -1 the pattern failed: stop this direction.
  const auto tryEntry = [&](const MaskEntry& entry) {
    StarMatch match;
    if (!MatchStarPattern(entry.match, word, match)) return -1;
    if (!entry.ContextHolds(texts, index)) return 0;
    const int offset =
        reversed ? static_cast<int>(word.size()) - match.offset - match.length : match.offset;
    decision = entry.result + offset;
    return 1;
  };

  for (auto it = first; it != entries_.end(); ++it) {
    const int outcome = tryEntry(*it);
    if (outcome == 1) return true;
    if (outcome < 0) break;
  }
  for (auto it = first; it != entries_.begin();) {
    const int outcome = tryEntry(*--it);
    if (outcome == 1) return true;
    if (outcome < 0) break;
  }
  return false;
}
