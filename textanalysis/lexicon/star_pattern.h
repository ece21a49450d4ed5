// Word patterns with "*": «core*» matches words that begin with core,
// «*core» words that end with it, «*core*» (3 characters or more) words that
// contain it; anything else only the equal word. Cores are compared with the
// word lower-cased (Cyrillic case map).
#pragma once

#include <string>
#include <string_view>

struct StarPattern {
  enum class Kind { kAny, kExact, kPrefix, kSuffix, kInfix };

  Kind kind = Kind::kExact;
  // Lower case, without the "*" that set the kind.
  std::string core;
};

// Where a pattern matched: offset in the word and length of the match.
struct StarMatch {
  int offset = 0;
  int length = 0;
};

// The kind a text of the user stress base has by its "*": infix (3 or more
// characters, "*" at both ends), else suffix ("*" first, 2 or more), else
// prefix ("*" last, 2 or more), else exact.
StarPattern::Kind StarPatternKind(std::string_view text);
// The number of "*" at the start of the text.
int LeadingStars(std::string_view text);

// The pattern of a user-base key: its kind by StarPatternKind.
StarPattern ParseStarPattern(std::string_view text);
// The pattern of a mask: as ParseStarPattern, except that an empty text or
// "*" alone matches any word.
StarPattern ParseMaskPattern(std::string_view text);

// Whether the pattern matches the word, and where:
//   any    - offset 0, the whole word;
//   exact  - the word equals the core (offset 0, the whole word);
//   prefix - the word begins with the core (offset 0);
//   suffix - the word ends with the core (offset = word length - core length);
//   infix  - the core occurs in the word (offset of its first occurrence).
// The word may hold capitals; it is compared lower-cased.
bool MatchStarPattern(const StarPattern& pattern, std::string_view word, StarMatch& match);
