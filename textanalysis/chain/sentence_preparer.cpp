#include "textanalysis/chain/sentence_preparer.h"

#include <cstring>

#include "foundation/char_classes.h"
#include "textanalysis/tokenizer/tagged_tokenizer.h"
#include "textanalysis/tokenizer/token_kinds.h"

namespace {

// Stress signs found in an output text, as indexes into the text without
// them.
struct StressMarks {
  std::vector<INT> main;
  std::vector<INT> secondary;
};

std::string TakeStressSigns(const std::string& text, StressMarks& marks) {
  std::string clean;
  clean.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '+' && c != '"') {
      clean.push_back(c);
      continue;
    }
    // Only a vowel can carry a stress; a sign anywhere else is dropped.
    if (i == 0 || !IsRusVowel(static_cast<unsigned char>(text[i - 1]))) continue;
    const INT letter = static_cast<INT>(clean.size()) - 1;
    (c == '+' ? marks.main : marks.secondary).push_back(letter);
  }
  return clean;
}

}  // namespace

bool IsAcceptableResult(const std::vector<TextToken>& tokens, int index, int result,
                        const std::vector<TextToken>& out, int consumed, const CharSet& allowed) {
  if (result != TextProcessor::kHandled || out.empty()) return false;
  if (index < 0 || consumed < 1 || static_cast<size_t>(index) + consumed > tokens.size())
    return false;
  const UI8 spanStart = tokens[index].position.start;
  const UI4 spanSize = static_cast<UI4>(EndOf(tokens[index + consumed - 1]) - spanStart);
  const UI8 spanEnd = spanStart + spanSize;
  for (const TextToken& token : out) {
    if (!allowed.ContainsAll(token.text)) return false;
    if (token.position.start < spanStart || EndOf(token) > spanEnd) return false;
  }
  return true;
}

void AppendOutputToken(const TextToken& output, const PlainTokenizer& tokenizer,
                       PreparedSentence& prepared) {
  StressMarks marks;
  const std::string clean = TakeStressSigns(output.WithSeparators(), marks);
  std::vector<TextToken> pieces;
  tokenizer.Tokenize(clean, pieces, 0);
  for (TextToken& piece : pieces) {
    const INT from = static_cast<INT>(piece.position.start);
    const INT to = from + static_cast<INT>(piece.position.size);
    StressSpec stress;
    for (INT mark : marks.main)
      if (mark >= from && mark < to) stress.main = mark - from;
    for (INT mark : marks.secondary)
      if (mark >= from && mark < to) stress.positions.push_back(mark - from);
    piece.position = output.position;
    // A run of marks reads as its last one ("?!" as "!", "..." as ".").
    if (piece.text.size() >= 2 && IsPunctuationMark(piece.text[0]))
      piece.text.erase(0, piece.text.size() - 1);
    prepared.tokens.push_back(std::move(piece));
    prepared.stresses.push_back(std::move(stress));
  }
}

void SentencePreparer::Prepare(std::vector<TextToken> sentence,
                               PreparedSentence& prepared) const {
  prepared.Clear();
  UI8 nextBoundary = 0;
  std::vector<TextToken> out;
  const int count = static_cast<int>(sentence.size());
  int c = 0;
  while (c < count) {
    const UI8 start = sentence[c].position.start;
    if (start >= nextBoundary) {
      nextBoundary = tags_ != nullptr ? tags_->NextBoundary(start) : kNoPosition;
      chain_.DeliverTags(tags_ != nullptr ? TagTextsAt(*tags_, start) : std::set<std::string>());
    }
    if (sentence[c].IsFromTag()) {
      prepared.tokens.push_back(sentence[c]);
      prepared.stresses.emplace_back();
      ++c;
      continue;
    }
    int consumed = 0;
    bool accepted = false;
    for (TextProcessor* processor : chain_.Processors()) {
      out.clear();
      consumed = 0;
      const int result = processor->Process(sentence, c, out, &consumed);
      if (IsAcceptableResult(sentence, c, result, out, consumed, outputChars_)) {
        accepted = true;
        break;
      }
    }
    if (!accepted) {
      // Only while the chain lacks its catch-all last processor: the token
      // goes on as it is.
      out.assign(1, sentence[c]);
      consumed = 1;
    }
    out.front().RemoveFlags(TextToken::kLeftSeparators);
    out.front().AddFlags(sentence[c].LeftFlags());
    out.back().RemoveFlags(TextToken::kRightSeparators);
    out.back().AddFlags(sentence[c + consumed - 1].RightFlags());
    c += consumed;
    for (const TextToken& token : out) AppendOutputToken(token, tokenizer_, prepared);
  }
}
