#include "textanalysis/lexicon/mask_entry.h"

#include <charconv>

#include "foundation/string_utils.h"

namespace {

bool MasksMatch(const std::vector<StarPattern>& masks, const WordTexts& texts, size_t first) {
  StarMatch match;
  for (size_t j = 0; j < masks.size(); ++j)
    if (!MatchStarPattern(masks[j], texts[first + j], match)) return false;
  return true;
}

bool ParseDecimal(std::string_view text, int& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && ptr == end;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t at = text.find(separator);
    fields.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return fields;
    text.remove_prefix(at + 1);
  }
}

MaskContext MaskContext::Parse(std::string_view text) {
  MaskContext context;
  if (text == "#") return context;
  std::vector<std::string> alternatives, masks;
  SplitByChar(std::string(text), alternatives, '+');
  for (const std::string& alternative : alternatives) {
    SplitByChar(alternative, masks, '&');
    std::vector<StarPattern>& parsed = context.alternatives.emplace_back();
    for (const std::string& mask : masks) parsed.push_back(ParseMaskPattern(mask));
  }
  return context;
}

bool MaskContext::HoldsLeftOf(const WordTexts& texts, size_t index) const {
  if (alternatives.empty()) return true;
  for (const auto& masks : alternatives)
    if (masks.size() <= index && MasksMatch(masks, texts, index - masks.size())) return true;
  return false;
}

bool MaskContext::HoldsRightOf(const WordTexts& texts, size_t index) const {
  if (alternatives.empty()) return true;
  for (const auto& masks : alternatives)
    if (masks.size() < texts.size() - index && MasksMatch(masks, texts, index + 1)) return true;
  return false;
}

bool MakeMaskEntry(std::string_view pattern, std::string_view left, std::string_view right,
                   std::string_view result, MaskEntry& entry) {
  std::string number(result);
  Trim(number);
  if (!ParseDecimal(number, entry.result)) return false;
  entry.pattern = pattern;
  entry.match = ParseMaskPattern(pattern);
  entry.left = MaskContext::Parse(left);
  entry.right = MaskContext::Parse(right);
  return true;
}
