#include "textanalysis/lexicon/mask_base.h"

#include <cstdint>

#include "foundation/char_classes.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"
#include "textanalysis/lexicon/whole_file.h"

namespace {

constexpr unsigned char kSmallE = 0xE5;
constexpr unsigned char kCapitalE = 0xC5;

// The letter a decision points at, when it lies inside the word.
bool LetterAt(const std::string& text, int decision, unsigned char& letter) {
  const unsigned position = static_cast<uint8_t>(decision);
  if (position >= text.size()) return false;
  letter = static_cast<unsigned char>(text[position]);
  return true;
}

}  // namespace

bool MaskBase::Load(const std::u16string& folder) {
  std::u16string base = folder;
  AppendPathSeparator(base);
  const auto path = [&](const char* prefix, const char* extension) {
    return base + NarrowToWide(std::string(prefix) + tag_ + extension);
  };
  left_.Load(path("lmask", ".idx"), path("lmask", ".wds"));
  right_.Load(path("rmask", ".idx"), path("rmask", ".wds"));
  neutral_.Load(path("nmask", ".idx"), path("nmask", ".wds"));
  LoadRules(path("lrmask", ".dat"));
  ready_ = true;
  return true;
}

void MaskBase::LoadRules(const std::u16string& path) {
  rules_.clear();
  std::vector<std::string> lines;
  ReadLines(path.c_str(), lines, '#');
  for (const std::string& line : lines) {
    std::vector<std::string_view> fields = SplitFields(line, '|');
    if (fields.size() != 4) continue;
    std::string trimmed[4];
    for (int i = 0; i < 4; ++i) {
      trimmed[i] = fields[i];
      Trim(trimmed[i]);
    }
    MaskEntry rule;
    if (MakeMaskEntry(trimmed[0], trimmed[1], trimmed[2], trimmed[3], rule))
      rules_.push_back(std::move(rule));
  }
}

bool MaskBase::Decide(const WordTexts& texts, int index, int& decision) const {
  if (index < 0 || static_cast<size_t>(index) >= texts.size()) return false;
  const auto at = static_cast<size_t>(index);
  if (neutral_.Decide(texts, at, false, decision) || right_.Decide(texts, at, false, decision) ||
      left_.Decide(texts, at, true, decision))
    return true;
  StarMatch match;
  for (const MaskEntry& rule : rules_) {
    if (MatchStarPattern(rule.match, texts[at], match) && rule.ContextHolds(texts, at)) {
      decision = rule.result + match.offset;
      return true;
    }
  }
  return false;
}

bool YoMaskBase::FindYoPosition(const std::vector<TextToken>& tokens, int index,
                                int& position) const {
  const WordTexts texts(tokens);
  int decision = 0;
  unsigned char letter = 0;
  if (!Decide(texts, index, decision) || !LetterAt(texts[index], decision, letter)) return false;
  if (letter != kSmallE && letter != kCapitalE) return false;
  position = static_cast<uint8_t>(decision);
  return true;
}

bool StressMaskBase::FindVowel(const WordTexts& texts, int index, int& position) const {
  int decision = 0;
  unsigned char letter = 0;
  if (!Decide(texts, index, decision) || !LetterAt(texts[index], decision, letter)) return false;
  if (!IsRusVowel(letter)) return false;
  position = static_cast<uint8_t>(decision);
  return true;
}

bool StressMaskBase::FindStressPosition(const std::vector<TextToken>& tokens, int index,
                                        int& position) const {
  return FindVowel(WordTexts(tokens), index, position);
}

bool StressMaskBase::FindStressPosition(const std::vector<StressedWord>& words, int index,
                                        int& position) const {
  return FindVowel(WordTexts(words), index, position);
}
