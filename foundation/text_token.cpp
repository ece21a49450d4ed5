#include "foundation/text_token.h"

#include <bit>

namespace {

std::string LeftSeparatorText(UI4 flags) {
  std::string out;
  if (flags & TextToken::kOuterSpaceBefore)
    out += ' ';
  else if (flags & TextToken::kOuterLineEndBefore)
    out += '\n';
  if (flags & TextToken::kSpaceBefore)
    out += ' ';
  else if (flags & TextToken::kLineEndBefore)
    out += '\n';
  else if (flags & TextToken::kHyphenBefore)
    out += '-';
  return out;
}

std::string RightSeparatorText(UI4 flags) {
  std::string out;
  if (flags & TextToken::kLineEndAfter)
    out += '\n';
  else if (flags & TextToken::kSpaceAfter)
    out += ' ';
  else if (flags & TextToken::kHyphenAfter)
    out += '-';
  if (flags & TextToken::kOuterLineEndAfter)
    out += '\n';
  else if (flags & TextToken::kOuterSpaceAfter)
    out += ' ';
  return out;
}

}  // namespace

UI4 TextToken::LeftToRight() const {
  if (flags & kHyphenBefore) return kHyphenAfter;
  if (flags & (kOuterLineEndBefore | kLineEndBefore)) return kLineEndAfter;
  if (flags & (kOuterSpaceBefore | kSpaceBefore)) return kSpaceAfter;
  return 0;
}

UI4 TextToken::RightToLeft() const {
  if (flags & kHyphenAfter) return kHyphenBefore;
  if (flags & (kOuterLineEndAfter | kLineEndAfter)) return kLineEndBefore;
  if (flags & (kOuterSpaceAfter | kSpaceAfter)) return kSpaceBefore;
  return 0;
}

bool TextToken::HasConsistentSeparators() const {
  return std::popcount(flags & (kSpaceBefore | kLineEndBefore | kHyphenBefore)) <= 1 &&
         std::popcount(flags & (kSpaceAfter | kLineEndAfter | kHyphenAfter)) <= 1;
}

std::string TextToken::SuffixText() const {
  static constexpr struct {
    UI4 bit;
    const char* text;
  } kSuffixTexts[] = {{kSuffixS, "'s"},   {kSuffixLl, "'ll"}, {kSuffixVe, "'ve"}, {kSuffixD, "'d"},
                      {kSuffixNt, "n't"}, {kSuffixRe, "'re"}, {kSuffixM, "'m"}};
  for (const auto& suffix : kSuffixTexts)
    if (flags & suffix.bit) return suffix.text;
  return std::string();
}

std::string TextToken::WithLeftSeparators() const { return LeftSeparatorText(flags) + text; }

std::string TextToken::WithRightSeparators() const { return text + RightSeparatorText(flags); }

std::string TextToken::WithSeparators() const {
  return LeftSeparatorText(flags) + text + RightSeparatorText(flags);
}

bool ApplySeparatorChar(char c, UI8 separatorPosition, TextToken& pending,
                        std::vector<TextToken>& emitted) {
  const bool lineEnd = c == '\n' || c == '\r';
  if (!lineEnd && c != ' ' && c != '\t') return false;
  // Turns an inner before-bit of the pending token into its outer twin and
  // marks the last emitted token with the given after-bit.
  const auto turnOuter = [&](UI4 inner, UI4 outer, UI4 previousMark) {
    if (!(pending.flags & inner)) return;
    pending.RemoveFlags(inner);
    pending.AddFlags(outer);
    if (previousMark && !emitted.empty()) emitted.back().AddFlags(previousMark);
  };
  const bool emit = !pending.IsTextEmpty();
  if (emit) {
    pending.AddFlags(lineEnd ? TextToken::kLineEndAfter : TextToken::kSpaceAfter);
    pending.position.size = static_cast<UI4>(separatorPosition - pending.position.start);
    emitted.push_back(std::move(pending));
    pending = TextToken();
  } else if (lineEnd) {
    turnOuter(TextToken::kSpaceBefore, TextToken::kOuterSpaceBefore, TextToken::kOuterSpaceAfter);
    turnOuter(TextToken::kLineEndBefore, TextToken::kOuterLineEndBefore,
              TextToken::kOuterLineEndAfter);
  } else {
    turnOuter(TextToken::kLineEndBefore, TextToken::kOuterLineEndBefore, 0);
  }
  pending.AddFlags(lineEnd ? TextToken::kLineEndBefore : TextToken::kSpaceBefore);
  pending.position = Interval{separatorPosition + 1, 0};
  return emit;
}
