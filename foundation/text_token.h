// Text positions and tokens of the text data model.
//
// Positions are character offsets into the text that the client handed to
// the text-analysis server; text is 8-bit Windows-1251.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

// A span of text: 64-bit start and 32-bit size (16 bytes with the natural
// alignment of start).
struct Interval {
  UI8 start = 0;
  UI4 size = 0;
};
static_assert(sizeof(Interval) == 16, "Interval is laid out as the shared record");

// The position that marks the absence of a position: both 32-bit halves all
// ones.
constexpr UI8 kNoPosition = ~static_cast<UI8>(0);

constexpr bool IsValidPosition(UI8 position) { return position != kNoPosition; }

// Where an interval ends, in 64 bits; an end past the last position is held
// there rather than wrapping round to the start of the text.
constexpr UI8 EndOf(const Interval& itvl) {
  const UI8 end = itvl.start + itvl.size;
  return end < itvl.start ? kNoPosition : end;
}

// One token or word: flags, text and position. The separator bits say what
// separated the token from its neighbours in the source text (see
// ApplySeparatorChar); the kind bits are set by the tokenizers from the
// first byte of the text.
struct TextToken {
  // Separators.
  static constexpr UI4 kSpaceAfter = 0x1;
  static constexpr UI4 kSpaceBefore = 0x2;
  static constexpr UI4 kLineEndAfter = 0x4;
  static constexpr UI4 kLineEndBefore = 0x8;
  static constexpr UI4 kOuterSpaceBefore = 0x10;
  static constexpr UI4 kOuterLineEndBefore = 0x20;
  static constexpr UI4 kOuterSpaceAfter = 0x40;
  static constexpr UI4 kOuterLineEndAfter = 0x80;
  // The text was supplied by a markup tag; such tokens get no kind bit.
  static constexpr UI4 kFromTag = 0x100;
  // Kinds, set by the tokenizers from the first byte of the text.
  static constexpr UI4 kNumber = 0x200;
  static constexpr UI4 kRussianWord = 0x400;
  static constexpr UI4 kLatinWord = 0x800;
  static constexpr UI4 kPunctuation = 0x1000;
  static constexpr UI4 kCapitalFirst = 0x2000;
  static constexpr UI4 kAllCapitals = 0x4000;
  // Spare marker bit.
  static constexpr UI4 kMarker = 0x8000;
  static constexpr UI4 kHyphenBefore = 0x10000;
  static constexpr UI4 kHyphenAfter = 0x20000;
  // English clitics split off the token ('s, 'll, 've, 'd, n't, 're, 'm).
  static constexpr UI4 kSuffixS = 0x40000;
  static constexpr UI4 kSuffixLl = 0x80000;
  static constexpr UI4 kSuffixVe = 0x100000;
  static constexpr UI4 kSuffixD = 0x200000;
  static constexpr UI4 kSuffixNt = 0x400000;
  static constexpr UI4 kSuffixRe = 0x800000;
  static constexpr UI4 kSuffixM = 0x1000000;
  // A transcribed word (set together with kRussianWord).
  static constexpr UI4 kTranscribed = 0x2000000;

  // Groups.
  // A blank or line break before the token (a hyphen does not part it).
  static constexpr UI4 kSeparatedBefore =
      kSpaceBefore | kLineEndBefore | kOuterSpaceBefore | kOuterLineEndBefore;
  static constexpr UI4 kLeftSeparators = kSeparatedBefore | kHyphenBefore;
  static constexpr UI4 kRightSeparators =
      kSpaceAfter | kLineEndAfter | kOuterSpaceAfter | kOuterLineEndAfter | kHyphenAfter;
  static constexpr UI4 kSuffixes =
      kSuffixS | kSuffixLl | kSuffixVe | kSuffixD | kSuffixNt | kSuffixRe | kSuffixM;

  UI4 flags = 0;
  std::string text;
  Interval position;

  TextToken() = default;
  TextToken(UI4 tokenFlags, std::string tokenText, Interval tokenPosition)
      : flags(tokenFlags), text(std::move(tokenText)), position(tokenPosition) {}
  // An empty token at the position: flags 0, text empty, size 0.
  static TextToken MakeAt(UI8 start) { return TextToken(0, std::string(), Interval{start, 0}); }

  void SetFlags(UI4 value) { flags = value; }
  void AddFlags(UI4 mask) { flags |= mask; }
  void RemoveFlags(UI4 mask) { flags &= ~mask; }
  bool HasAnyFlag(UI4 mask) const { return (flags & mask) != 0; }
  UI4 LeftFlags() const { return flags & kLeftSeparators; }
  UI4 RightFlags() const { return flags & kRightSeparators; }
  void ClearLeftFlags() { RemoveFlags(kLeftSeparators); }
  void ClearRightFlags() { RemoveFlags(kRightSeparators); }

  // One test for every bit.
  bool HasSpaceAfter() const { return HasAnyFlag(kSpaceAfter); }
  bool HasSpaceBefore() const { return HasAnyFlag(kSpaceBefore); }
  bool HasLineEndAfter() const { return HasAnyFlag(kLineEndAfter); }
  bool HasLineEndBefore() const { return HasAnyFlag(kLineEndBefore); }
  bool HasOuterSpaceBefore() const { return HasAnyFlag(kOuterSpaceBefore); }
  bool HasOuterLineEndBefore() const { return HasAnyFlag(kOuterLineEndBefore); }
  bool HasOuterSpaceAfter() const { return HasAnyFlag(kOuterSpaceAfter); }
  bool HasOuterLineEndAfter() const { return HasAnyFlag(kOuterLineEndAfter); }
  bool IsFromTag() const { return HasAnyFlag(kFromTag); }
  bool IsNumber() const { return HasAnyFlag(kNumber); }
  bool IsRussianWord() const { return HasAnyFlag(kRussianWord); }
  bool IsLatinWord() const { return HasAnyFlag(kLatinWord); }
  bool IsPunctuation() const { return HasAnyFlag(kPunctuation); }
  bool IsCapitalFirst() const { return HasAnyFlag(kCapitalFirst); }
  bool IsAllCapitals() const { return HasAnyFlag(kAllCapitals); }
  bool IsMarked() const { return HasAnyFlag(kMarker); }
  bool HasHyphenBefore() const { return HasAnyFlag(kHyphenBefore); }
  bool HasHyphenAfter() const { return HasAnyFlag(kHyphenAfter); }
  bool HasSuffixS() const { return HasAnyFlag(kSuffixS); }
  bool HasSuffixLl() const { return HasAnyFlag(kSuffixLl); }
  bool HasSuffixVe() const { return HasAnyFlag(kSuffixVe); }
  bool HasSuffixD() const { return HasAnyFlag(kSuffixD); }
  bool HasSuffixNt() const { return HasAnyFlag(kSuffixNt); }
  bool HasSuffixRe() const { return HasAnyFlag(kSuffixRe); }
  bool HasSuffixM() const { return HasAnyFlag(kSuffixM); }
  bool IsTranscribed() const { return HasAnyFlag(kTranscribed); }

  // The spare marker bit.
  void SetMarker() { AddFlags(kMarker); }
  void ClearMarker() { RemoveFlags(kMarker); }

  // Inner line end or blank before (after) the token, and both sides.
  bool HasLineBreakOrSpaceBefore() const { return HasAnyFlag(kLineEndBefore | kSpaceBefore); }
  bool HasLineBreakOrSpaceAfter() const { return HasAnyFlag(kLineEndAfter | kSpaceAfter); }
  bool HasLineBreakOrSpaceAround() const {
    return HasLineBreakOrSpaceBefore() && HasLineBreakOrSpaceAfter();
  }
  bool HasOuterSeparatorBefore() const {
    return HasAnyFlag(kOuterSpaceBefore | kOuterLineEndBefore);
  }
  bool HasOuterSeparatorAfter() const { return HasAnyFlag(kOuterSpaceAfter | kOuterLineEndAfter); }

  // The right-group bit matching the left group (hyphen, then line end, then
  // blank; 0 when none), and the left-group bit matching the right group.
  UI4 LeftToRight() const;
  UI4 RightToLeft() const;
  // At most one of kSpaceBefore, kLineEndBefore, kHyphenBefore and at most
  // one of kSpaceAfter, kLineEndAfter, kHyphenAfter.
  bool HasConsistentSeparators() const;

  bool HasSuffix() const { return HasAnyFlag(kSuffixes); }
  UI4 SuffixFlags() const { return flags & kSuffixes; }
  void ClearSuffix() { RemoveFlags(kSuffixes); }
  // The text of the first suffix bit set, in bit order; "" when none.
  std::string SuffixText() const;

  // The separators written out: outer left (" " or "\n"), inner left (" ",
  // "\n" or "-"), the text; the text, inner right ("\n", " " or "-"), outer
  // right ("\n" or " "); and both sides together.
  std::string WithLeftSeparators() const;
  std::string WithRightSeparators() const;
  std::string WithSeparators() const;

  bool IsTextEmpty() const { return text.empty(); }
};

inline UI8 EndOf(const TextToken& token) { return EndOf(token.position); }

// The tokenizers' separator rule for one blank (' ', '\t') or line end
// ('\n', '\r') at separatorPosition after the pending token (the token being
// built; emitted holds the tokens emitted so far):
// - a non-empty pending token receives kSpaceAfter or kLineEndAfter and its
//   size (separatorPosition minus its start), is moved to emitted, and a new
//   empty pending token begins;
// - on an empty pending token a blank turns kLineEndBefore into
//   kOuterLineEndBefore, and a line end turns kSpaceBefore into
//   kOuterSpaceBefore (the last emitted token gaining kOuterSpaceAfter) and
//   kLineEndBefore into kOuterLineEndBefore (the last emitted token gaining
//   kOuterLineEndAfter);
// - then the pending token gains kSpaceBefore or kLineEndBefore and starts
//   after the separator.
// So "\r\n" after a word leaves it with kLineEndAfter | kOuterLineEndAfter
// and the next token with kOuterLineEndBefore | kLineEndBefore. Returns
// whether a token was emitted; any other character changes nothing.
bool ApplySeparatorChar(char c, UI8 separatorPosition, TextToken& pending,
                        std::vector<TextToken>& emitted);
