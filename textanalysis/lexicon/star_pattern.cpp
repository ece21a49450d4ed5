#include "textanalysis/lexicon/star_pattern.h"

#include "foundation/char_classes.h"

namespace {

// The core equals the word's bytes at `at`, lower-cased.
bool CoreAt(std::string_view word, size_t at, const std::string& core) {
  if (at + core.size() > word.size()) return false;
  for (size_t i = 0; i < core.size(); ++i)
    if (RusToLower(static_cast<unsigned char>(word[at + i])) != static_cast<unsigned char>(core[i]))
      return false;
  return true;
}

StarPattern MakePattern(StarPattern::Kind kind, std::string_view text) {
  StarPattern pattern;
  pattern.kind = kind;
  switch (kind) {
    case StarPattern::Kind::kInfix:
      pattern.core = text.substr(1, text.size() - 2);
      break;
    case StarPattern::Kind::kSuffix:
      pattern.core = text.substr(1);
      break;
    case StarPattern::Kind::kPrefix:
      pattern.core = text.substr(0, text.size() - 1);
      break;
    case StarPattern::Kind::kExact:
      pattern.core = text;
      break;
    case StarPattern::Kind::kAny:
      break;
  }
  RusLowerString(pattern.core);
  return pattern;
}

}  // namespace

StarPattern::Kind StarPatternKind(std::string_view text) {
  const bool starFirst = !text.empty() && text.front() == '*';
  const bool starLast = !text.empty() && text.back() == '*';
  if (text.size() >= 3 && starFirst && starLast) return StarPattern::Kind::kInfix;
  if (text.size() >= 2 && starFirst) return StarPattern::Kind::kSuffix;
  if (text.size() >= 2 && starLast) return StarPattern::Kind::kPrefix;
  return StarPattern::Kind::kExact;
}

int LeadingStars(std::string_view text) {
  const size_t first = text.find_first_not_of('*');
  return static_cast<int>(first == std::string_view::npos ? text.size() : first);
}

StarPattern ParseStarPattern(std::string_view text) {
  return MakePattern(StarPatternKind(text), text);
}

StarPattern ParseMaskPattern(std::string_view text) {
  if (text.empty() || text == "*") return MakePattern(StarPattern::Kind::kAny, text);
  return ParseStarPattern(text);
}

bool MatchStarPattern(const StarPattern& pattern, std::string_view word, StarMatch& match) {
  const std::string& core = pattern.core;
  switch (pattern.kind) {
    case StarPattern::Kind::kAny:
      match = {0, static_cast<int>(word.size())};
      return true;
    case StarPattern::Kind::kExact:
      if (word.size() != core.size() || !CoreAt(word, 0, core)) return false;
      match = {0, static_cast<int>(word.size())};
      return true;
    case StarPattern::Kind::kPrefix:
      if (!CoreAt(word, 0, core)) return false;
      match = {0, static_cast<int>(core.size())};
      return true;
    case StarPattern::Kind::kSuffix:
      if (word.size() < core.size() || !CoreAt(word, word.size() - core.size(), core)) return false;
      match = {static_cast<int>(word.size() - core.size()), static_cast<int>(core.size())};
      return true;
    case StarPattern::Kind::kInfix:
      for (size_t at = 0; at + core.size() <= word.size(); ++at) {
        if (CoreAt(word, at, core)) {
          match = {static_cast<int>(at), static_cast<int>(core.size())};
          return true;
        }
      }
      return false;
  }
  return false;
}
