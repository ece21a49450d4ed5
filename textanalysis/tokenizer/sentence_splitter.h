// Groups the tokens of one pushed text into sentences.
#pragma once

#include <vector>

#include "textanalysis/tokenizer/abbreviation_lookup.h"
#include "textanalysis/tokenizer/sentence.h"

class SentenceSplitter {
 public:
  // Longest token texts: a longer token becomes several; a literal
  // pronunciation may be longer, and is cut.
  static constexpr size_t kMaxTokenText = 128;
  static constexpr size_t kMaxPronunciationText = 384;
  // A sentence that has this many tokens ends before its next token with a
  // blank or break before it, so that a text without sentence ends is still
  // cut into pieces of bounded size; no real sentence is that long.
  static constexpr size_t kMaxSentenceTokens = 4096;

  // Without a dictionary no "." counts as part of an abbreviation.
  void SetAbbreviations(const AbbreviationLookup* abbreviations) { abbreviations_ = abbreviations; }

  // Splits long token texts, inserts a stop before a capitalised word that
  // starts a line after a word, and appends the sentences of the tokens to
  // `sentences` (a new sentence opens for them). Tokens starting before
  // `ownFrom` end an earlier sentence and are not counted in the first one's
  // length.
  void Split(std::vector<TextToken> tokens, std::vector<Sentence>& sentences,
             UI8 ownFrom = 0) const;

 private:
  // Whether the "." at tokens[i] ends the sentence; `through` receives the
  // index of the last token the sentence takes (i, or the end of a matched
  // abbreviation).
  bool PeriodEndsSentence(const std::vector<TextToken>& tokens, size_t i, size_t& through) const;

  const AbbreviationLookup* abbreviations_ = nullptr;
};


// Inserts the stop tokens before capitalised words that start a line after a
// word not followed by punctuation.
void InsertLineStops(std::vector<TextToken>& tokens);
