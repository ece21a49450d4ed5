// Runs the processor chain over the tokens of one sentence and turns what
// the processors return into the working tokens of the later stages, each
// with the stress its "+" and double-quote signs gave it.
#pragma once

#include <vector>

#include "foundation/char_set.h"
#include "foundation/stress.h"
#include "foundation/tag_table.h"
#include "foundation/text_token.h"
#include "textanalysis/chain/text_processor_chain.h"
#include "textanalysis/tokenizer/plain_tokenizer.h"

struct PreparedSentence {
  std::vector<TextToken> tokens;
  std::vector<StressSpec> stresses;  // one per token

  void Clear() {
    tokens.clear();
    stresses.clear();
  }
};

// Whether a processor's result for tokens[index..] may be taken: handled,
// some output, 1 <= consumed with index + consumed inside the sentence,
// every output text made of `allowed` characters and every output interval
// inside the consumed tokens' span.
bool IsAcceptableResult(const std::vector<TextToken>& tokens, int index, int result,
                        const std::vector<TextToken>& out, int consumed, const CharSet& allowed);

// Splits a processor's output token into working tokens (appended to
// `prepared`): stress signs taken out and recorded, the text cut again by
// the plain tokenizer, every piece with the output token's interval, and a
// run of punctuation cut to its last mark.
void AppendOutputToken(const TextToken& output, const PlainTokenizer& tokenizer,
                       PreparedSentence& prepared);

class SentencePreparer {
 public:
  // `outputChars`: what an output text may hold; `tags`: the text's tag
  // table (may be null).
  SentencePreparer(const TextProcessorChain& chain, const CharSet& outputChars,
                   const PlainTokenizer& tokenizer, const TagTable* tags)
      : chain_(chain), outputChars_(outputChars), tokenizer_(tokenizer), tags_(tags) {}

  // Replaces `prepared` with the working tokens of the sentence.
  void Prepare(std::vector<TextToken> sentence, PreparedSentence& prepared) const;

 private:
  const TextProcessorChain& chain_;
  const CharSet& outputChars_;
  const PlainTokenizer& tokenizer_;
  const TagTable* tags_;
};
