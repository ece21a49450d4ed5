#include "textanalysis/tokenizer/lazy_sentence_cutter.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }

}  // namespace

LazySentenceCutter::LazySentenceCutter(const TaggedTokenizer& tokenizer,
                                       const SentenceSplitter& splitter,
                                       std::shared_ptr<const std::string> text, UI8 start,
                                       size_t chunkBytes)
    : tokenizer_(tokenizer),
      splitter_(splitter),
      text_(std::move(text)),
      start_(start),
      chunkBytes_(std::max<size_t>(chunkBytes, 1)),
      want_(chunkBytes_) {}

size_t LazySentenceCutter::ChunkEnd(size_t want) const {
  const std::string& text = *text_;
  // There the tokenizer has just emitted a token at a blank, and a chunk
  // starting there begins in the same state.
  for (size_t b = std::max(cut_ + want, cut_ + 2); b < text.size(); ++b) {
    if (IsBlank(text[b - 1]) && !IsSeparator(text[b - 2]) && !IsSeparator(text[b])) return b;
  }
  return text.size();
}

size_t LazySentenceCutter::SentencesToHandOut(const std::vector<Sentence>& split,
                                              size_t& next) const {
  // Token starts rise through `pending_`, so a sentence's first token is
  // found by its position.
  const auto indexOf = [&](const TextToken& token) {
    return static_cast<size_t>(
        std::lower_bound(pending_.begin(), pending_.end(), token.position.start,
                         [](const TextToken& t, UI8 start) { return t.position.start < start; }) -
        pending_.begin());
  };
  const UI8 ownFrom = OwnFrom();
  const auto ownTokens = [ownFrom](const Sentence& sentence) {
    return static_cast<size_t>(
        std::count_if(sentence.tokens.begin(), sentence.tokens.end(),
                      [ownFrom](const TextToken& t) { return t.position.start >= ownFrom; }));
  };
  for (size_t j = split.size() - 1; j > 0; --j) {
    const TextToken& first = split[j].tokens.front();
    // A sentence after punctuation or after one cut for its length, with a
    // blank or break before it: the splitter decides the same from there
    // whether or not it sees the tokens before the one that ended the last
    // sentence.
    if (!first.HasAnyFlag(TextToken::kSeparatedBefore) ||
        (!split[j - 1].tokens.back().IsPunctuation() &&
         ownTokens(split[j - 1]) < SentenceSplitter::kMaxSentenceTokens))
      continue;
    const size_t index = indexOf(first);
    if (index == 0 || index + kLookaheadTokens > pending_.size()) continue;
    next = index;
    return j;
  }
  return 0;
}

bool LazySentenceCutter::CutSome(std::vector<Sentence>& sentences) {
  const size_t before = sentences.size();
  while (!done_ && sentences.size() == before) {
    const std::string& text = *text_;
    if (cut_ < text.size()) {
      const size_t end = ChunkEnd(want_);
      std::vector<TextToken> fresh;
      tokenizer_.Tokenize(text.substr(cut_, end - cut_), fresh, start_ + cut_);
      cut_ = end;
      // Stops go in among the new tokens only (the ones before have theirs),
      // with the last older token, which a stop before the first depends on.
      std::vector<TextToken> tokens;
      tokens.reserve(fresh.size() + 1);
      const bool context = !pending_.empty();
      if (context) tokens.push_back(pending_.back());
      for (TextToken& token : fresh) tokens.push_back(std::move(token));
      InsertLineStops(tokens);
      pending_.insert(pending_.end(), std::make_move_iterator(tokens.begin() + (context ? 1 : 0)),
                      std::make_move_iterator(tokens.end()));
    }
    const bool atEnd = cut_ >= text.size();
    std::vector<Sentence> split;
    splitter_.Split(pending_, split, OwnFrom());
    size_t count = split.size();
    size_t next = pending_.size();
    if (!atEnd) {
      count = split.empty() ? 0 : SentencesToHandOut(split, next);
      if (count == 0) {
        want_ *= 2;  // no end in sight yet: take more text at a time
        continue;
      }
      want_ = chunkBytes_;
    }
    for (size_t i = 0; i < count; ++i) {
      Sentence& sentence = split[i];
      if (i == 0 && context_) {
        // The context token was handed out already, and the splitter may
        // have cut a long one into several pieces: all of them go.
        const UI8 contextEnd = OwnFrom();
        const auto own = std::find_if(
            sentence.tokens.begin(), sentence.tokens.end(),
            [contextEnd](const TextToken& token) { return token.position.start >= contextEnd; });
        sentence.tokens.erase(sentence.tokens.begin(), own);
        if (sentence.tokens.empty()) continue;
        sentence.SetIntervalFromTokens();
      }
      sentences.push_back(std::move(sentence));
    }
    if (atEnd) {
      done_ = true;
      pending_.clear();
      pending_.shrink_to_fit();
    } else {
      pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(next - 1));
      context_ = true;
    }
  }
  return sentences.size() != before;
}
