// Cuts one pushed text without tags into sentences a few at a time, as they
// are asked for, giving the very sentences that tokenizing and splitting the
// whole text at once gives: the text is tokenized in chunks that end where a
// token has just ended at a blank, and sentences are handed out only up to a
// point that the splitter's look-ahead from earlier tokens cannot pass.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "textanalysis/tokenizer/sentence.h"
#include "textanalysis/tokenizer/sentence_splitter.h"
#include "textanalysis/tokenizer/tagged_tokenizer.h"

class LazySentenceCutter {
 public:
  // Bytes of text tokenized at a time (more while no sentence can be
  // handed out).
  static constexpr size_t kChunkBytes = 8192;
  // Tokens that must follow a sentence before it is handed out: more than
  // the longest abbreviation the splitter may match.
  static constexpr size_t kLookaheadTokens = 256;

  // The tokenizer must know no tags. Positions start at `start`.
  LazySentenceCutter(const TaggedTokenizer& tokenizer, const SentenceSplitter& splitter,
                     std::shared_ptr<const std::string> text, UI8 start,
                     size_t chunkBytes = kChunkBytes);

  // Appends at least one sentence while any remain; false when the text is
  // used up.
  bool CutSome(std::vector<Sentence>& sentences);
  bool Done() const { return done_; }
  // Bytes of the text tokenized so far.
  size_t BytesCut() const { return cut_; }

 private:
  // End of the next chunk of about `want` bytes from `cut_`: after a blank
  // that follows a token and precedes one, or the end of the text.
  size_t ChunkEnd(size_t want) const;
  // How many of the sentences split from `pending_` can be handed out, and
  // the index in `pending_` of the first token after them.
  size_t SentencesToHandOut(const std::vector<Sentence>& split, size_t& next) const;
  // Where the tokens not handed out yet start (after the context token).
  UI8 OwnFrom() const { return context_ ? EndOf(pending_.front()) : 0; }

  const TaggedTokenizer& tokenizer_;
  const SentenceSplitter& splitter_;
  std::shared_ptr<const std::string> text_;
  UI8 start_;
  size_t chunkBytes_;
  size_t want_;
  size_t cut_ = 0;  // bytes tokenized
  // Tokens of no sentence handed out yet; after the first hand-out, led by
  // the last token handed out, which the splitter needs as context.
  std::vector<TextToken> pending_;
  bool context_ = false;
  bool done_ = false;
};
