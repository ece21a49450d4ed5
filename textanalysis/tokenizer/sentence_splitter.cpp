#include "textanalysis/tokenizer/sentence_splitter.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/char_classes.h"
#include "textanalysis/tokenizer/token_kinds.h"

namespace {

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

namespace {

// Replaces every token (but a literal pronunciation) whose text is longer
// than `limit` by pieces of at most `limit` characters.
void SplitLongTokens(std::vector<TextToken>& tokens, size_t limit) {
  constexpr UI4 kKinds = TextToken::kNumber | TextToken::kRussianWord | TextToken::kLatinWord |
                         TextToken::kPunctuation | TextToken::kCapitalFirst |
                         TextToken::kAllCapitals;
  size_t extra = 0;
  for (const TextToken& token : tokens)
    if (!token.IsFromTag() && token.text.size() > limit) extra += (token.text.size() - 1) / limit;
  if (extra == 0) return;
  std::vector<TextToken> out;
  out.reserve(tokens.size() + extra);
  for (TextToken& token : tokens) {
    if (token.IsFromTag() || token.text.size() <= limit) {
      out.push_back(std::move(token));
      continue;
    }
    // The pieces follow each other without a separator; each is its own kind
    // by its first character. A text shorter than its interval (stress marks
    // taken out) leaves the rest of the interval to the last piece.
    const UI4 kept = token.flags & ~(kKinds | TextToken::kLeftSeparators |
                                     TextToken::kRightSeparators);
    const UI8 end = EndOf(token);
    for (size_t offset = 0; offset < token.text.size(); offset += limit) {
      const bool first = offset == 0;
      const bool last = offset + limit >= token.text.size();
      const UI8 start = std::min(token.position.start + offset, end);
      TextToken piece(kept | (first ? token.LeftFlags() : 0) | (last ? token.RightFlags() : 0),
                      token.text.substr(offset, limit),
                      Interval{start, static_cast<UI4>(last ? end - start
                                                            : std::min<UI8>(limit, end - start))});
      ClassifyToken(piece);
      out.push_back(std::move(piece));
    }
  }
  tokens = std::move(out);
}

}  // namespace

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
  while (runStart > 0 && !tokens[runStart].HasAnyFlag(TextToken::kSeparatedBefore)) --runStart;
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

void SentenceSplitter::Split(std::vector<TextToken> tokens, std::vector<Sentence>& sentences,
                             UI8 ownFrom) const {
  if (tokens.empty()) return;
  // A literal pronunciation is a phoneme string that has no safe place to
  // split: it is cut.
  for (TextToken& token : tokens)
    if (token.IsFromTag() && token.text.size() > kMaxPronunciationText)
      token.text.resize(kMaxPronunciationText);
  SplitLongTokens(tokens, kMaxTokenText);
  InsertLineStops(tokens);

  sentences.emplace_back();
  sentences.back().tokens.push_back(tokens[0]);
  // Tokens of the open sentence, those before `ownFrom` left out.
  size_t own = tokens[0].position.start >= ownFrom ? 1 : 0;
  const size_t count = tokens.size();
  size_t i = 1;
  bool lastTaken = count < 2;
  while (i + 1 < count) {
    const TextToken& token = tokens[i];
    if (own >= kMaxSentenceTokens && token.HasAnyFlag(TextToken::kSeparatedBefore)) {
      sentences.back().SetIntervalFromTokens();
      sentences.emplace_back();
      own = 0;
    }
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
    for (size_t k = i; k <= through; ++k) {
      sentences.back().tokens.push_back(tokens[k]);
      if (tokens[k].position.start >= ownFrom) ++own;
    }
    if (through == count - 1) lastTaken = true;
    if (ends) {
      sentences.back().SetIntervalFromTokens();
      sentences.emplace_back();
      own = 0;
    }
    i = through + 1;
  }
  if (!lastTaken) sentences.back().tokens.push_back(tokens[count - 1]);
  if (sentences.back().tokens.empty()) sentences.pop_back();
  if (!sentences.empty()) sentences.back().SetIntervalFromTokens();
}
