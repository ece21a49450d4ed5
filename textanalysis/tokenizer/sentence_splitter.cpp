#include "textanalysis/tokenizer/sentence_splitter.h"

#include <cstring>
#include <utility>

#include "foundation/char_classes.h"

namespace {

constexpr UI4 kSeparatedBefore = TextToken::kSpaceBefore | TextToken::kLineEndBefore |
                                 TextToken::kOuterSpaceBefore | TextToken::kOuterLineEndBefore;

bool IsSingleCapital(const TextToken& token) {
  if (token.text.size() != 1) return false;
  const int c = static_cast<unsigned char>(token.text[0]);
  return IsRusUpper(c) || IsLatinUpper(c);
}

bool IsSmallWord(const TextToken& token) {
  return token.HasAnyFlag(TextToken::kRussianWord | TextToken::kLatinWord) &&
         !token.IsCapitalFirst();
}

}  // namespace

void Sentence::SetIntervalFromTokens() {
  if (tokens.empty()) {
    itvl = Interval{};
    return;
  }
  itvl.start = tokens.front().position.start;
  itvl.size = static_cast<UI4>(EndOf(tokens.back()) - itvl.start);
}

void InsertLineStops(std::vector<TextToken>& tokens) {
  std::vector<TextToken> out;
  out.reserve(tokens.size());
  for (size_t i = 0; i < tokens.size(); ++i) {
    const TextToken& token = tokens[i];
    if (i > 0 && token.IsRussianWord() && token.IsCapitalFirst() &&
        token.HasAnyFlag(TextToken::kLineEndBefore | TextToken::kOuterLineEndBefore) &&
        !tokens[i - 1].IsPunctuation()) {
      const TextToken& previous = tokens[i - 1];
      out.emplace_back(TextToken::kPunctuation | previous.RightFlags() | token.LeftFlags(), ".",
                       Interval{EndOf(previous), 1});
    }
    out.push_back(token);
  }
  tokens = std::move(out);
}

bool SentenceSplitter::PeriodEndsSentence(const std::vector<TextToken>& tokens, size_t i,
                                          size_t& through) const {
  through = i;
  // The run the period belongs to starts at the nearest token with a blank
  // or break before it, or at the first token.
  size_t runStart = i;
  while (runStart > 0 && !tokens[runStart].HasAnyFlag(kSeparatedBefore)) --runStart;
  int last = -1;
  bool rightCondition = false;
  const UI4 leftFlags = runStart > 0 ? tokens[runStart - 1].flags : 0;
  const bool matched = abbreviations_ != nullptr &&
                       abbreviations_->Match(tokens, static_cast<int>(runStart), leftFlags, last,
                                             rightCondition);
  const TextToken& next = tokens[i + 1];
  if (!matched || last < static_cast<int>(i)) {
    const bool nextStartsSentence =
        !next.HasAnyFlag(TextToken::kRussianWord | TextToken::kLatinWord) || next.IsCapitalFirst();
    return nextStartsSentence && !IsSingleCapital(tokens[i - 1]);
  }
  if (rightCondition) return false;
  if (static_cast<size_t>(last) >= tokens.size() - 1 || !IsSmallWord(next)) {
    through = static_cast<size_t>(last);
    return true;
  }
  return false;
}

void SentenceSplitter::Split(std::vector<TextToken> tokens,
                             std::vector<Sentence>& sentences) const {
  if (tokens.empty()) return;
  for (TextToken& token : tokens) {
    const size_t limit = token.IsFromTag() ? kMaxPronunciationText : kMaxTokenText;
    if (token.text.size() > limit) token.text.resize(limit);
  }
  InsertLineStops(tokens);

  sentences.emplace_back();
  sentences.back().tokens.push_back(tokens[0]);
  const size_t count = tokens.size();
  size_t i = 1;
  bool lastTaken = count < 2;
  while (i + 1 < count) {
    const TextToken& token = tokens[i];
    const char c = token.text.empty() ? '\0' : token.text.back();
    size_t through = i;
    bool ends = false;
    if (token.IsPunctuation() &&
        token.HasAnyFlag(TextToken::kSpaceAfter | TextToken::kLineEndAfter) && c != '\0' &&
        std::strchr(".?!;", c) != nullptr) {
      if (c != '.') {
        ends = true;
      } else if (token.HasAnyFlag(TextToken::kLineEndAfter | TextToken::kOuterSpaceAfter |
                                  TextToken::kOuterLineEndAfter)) {
        ends = true;
      } else {
        ends = PeriodEndsSentence(tokens, i, through);
      }
    }
    for (size_t k = i; k <= through; ++k) sentences.back().tokens.push_back(tokens[k]);
    if (through == count - 1) lastTaken = true;
    if (ends) {
      sentences.back().SetIntervalFromTokens();
      sentences.emplace_back();
    }
    i = through + 1;
  }
  if (!lastTaken) sentences.back().tokens.push_back(tokens[count - 1]);
  if (sentences.back().tokens.empty()) sentences.pop_back();
  if (!sentences.empty()) sentences.back().SetIntervalFromTokens();
}
