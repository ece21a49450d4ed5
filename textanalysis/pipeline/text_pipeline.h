// The text-analysis object's working state: the bases, the sentence store
// of the pushed text, the processor chain and the letter-to-phoneme object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "interfaces/glossel.h"
#include "textanalysis/chain/sentence_preparer.h"
#include "textanalysis/chain/text_processor_chain.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/lexicon/service_word_lists.h"
#include "textanalysis/pipeline/letter_to_phoneme.h"
#include "textanalysis/pipeline/output_syntagma.h"
#include "textanalysis/pipeline/sentence_slices.h"
#include "textanalysis/pipeline/sentence_stages.h"
#include "textanalysis/tokenizer/abbreviation_lookup.h"
#include "textanalysis/tokenizer/lazy_sentence_cutter.h"
#include "textanalysis/tokenizer/plain_tokenizer.h"
#include "textanalysis/tokenizer/sentence.h"
#include "textanalysis/tokenizer/sentence_splitter.h"
#include "textanalysis/tokenizer/tagged_tokenizer.h"

// What the normaliser contributes; each part may be missing.
struct NormaliserParts {
  NormaliserBases* bases = nullptr;  // resources 5, 7 and 12
  ChainProcessors processors{};      // by chain slot
  const AbbreviationLookup* abbreviations = nullptr;
};

class TextPipeline {
 public:
  // Init results.
  static constexpr int kReady = 0;
  static constexpr int kFailed = 1;
  static constexpr int kConfigMissing = 2;

  static constexpr int kInitialSubLanguage = 2;

  explicit TextPipeline(NormaliserParts normaliser = {});
  TextPipeline(const TextPipeline&) = delete;
  TextPipeline& operator=(const TextPipeline&) = delete;

  // Loads the bases, builds the stages and the chain and creates the
  // letter-to-phoneme object named by the configuration.
  int Init();

  // Adds the tags (those without a description are skipped), then cuts the
  // text into sentences appended to those held; its positions continue the
  // stream. A text without tags (none in force either) is kept and cut as
  // its sentences are asked for, so memory and the wait for the first
  // sentence do not grow with its length; what is left of earlier texts is
  // cut first.
  void PushText(const char* text, const MarkupInfo* tags, int tagCount);
  // Runs the current sentence through the stages into Output() and moves on;
  // returns whether sentences remain. Nothing is left: false, no output. A
  // long sentence is run a slice at a time, the index staying on it until
  // its last slice.
  bool PopSentence();
  // Runs the current sentence through the processor chain only, into
  // `prepared` (the words as the normaliser says them), and moves on (a
  // long sentence a slice at a time, as PopSentence);
  // false, `prepared` untouched, when nothing is left.
  bool PrepareSentence(PreparedSentence& prepared);
  const std::vector<OutputSyntagma>& Output() const { return output_; }

  // Forgets the text; Reset also starts positions again at 0.
  void Reset();
  void Clear();

  // Moves the current index by `count`, clamped to [0, sentence count];
  // returns the signed distance moved.
  I4 Skip(I4 count);
  UI4 CurrentIndex() const { return current_; }
  // False (index set to the count) for a value above the count.
  bool SetCurrentIndex(UI4 index);
  // Every sentence of the texts pushed. Text not cut yet is counted through
  // once, keeping no tokens.
  UI4 SentenceCount();
  // False for an index past the sentences.
  bool GetSentenceStamp(UI4 index, Interval& itvl);
  UI8 TextPosition() const { return textPosition_; }

  // Stores the sub-language and hands it to the letter-to-phoneme object;
  // false when that object has no IRunemapLang.
  bool SetSubLanguage(INT value);
  INT SubLanguage() const { return subLanguage_; }
  bool ReloadUserBase() { return resources_.ReloadUserBase(); }

  LinguisticResources& Resources() { return resources_; }
  LetterToPhoneme& Converter() { return converter_; }
  const std::vector<Sentence>& Sentences() const { return sentences_; }

 private:
  // The current sentence's next slice (the whole sentence when short)
  // through the chain; moves on to the next sentence after its last slice.
  bool PrepareSlice(PreparedSentence& prepared, SliceEnd* slice);
  // A copy of a kept text's cutter as it was before it cut sentence
  // `sentence`: going back cuts again from the nearest one, not from the
  // start of the text.
  struct Checkpoint {
    LazySentenceCutter cutter;
    size_t sentence;
  };
  // Text tokenized between checkpoints: a checkpoint holds a few hundred
  // tokens of look-ahead, so they are kept far apart.
  static constexpr size_t kCheckpointBytes = 64 * 1024;

  // A pushed text cut as its sentences are asked for; its sentences are
  // those from `first` (the count held when it was pushed, earlier texts
  // being cut whole by then) to `end` (once it is used up). The first
  // checkpoint is at its start.
  struct KeptText {
    LazySentenceCutter cutter;
    size_t first = 0;
    size_t end = SIZE_MAX;
    size_t count = SIZE_MAX;  // its sentences, once counted
    std::vector<Checkpoint> checkpoints;
  };

  int CreateLetterToPhoneme();
  void ForgetText();
  // Cuts kept text until `count` sentences are held or none is left.
  void CutUntil(UI8 count);
  // Gives back the tokens of a sentence that were let go after it was
  // spoken (cutting its text again from the nearest checkpoint).
  void RestoreTokens(size_t index);
  // Lets go of the tokens of a spoken sentence of kept text.
  void ReleaseTokens(size_t index);
  const KeptText* KeptTextOf(size_t index) const;

  NormaliserParts normaliser_;
  LinguisticResources resources_;
  ServiceWordLists serviceWords_;
  TaggedTokenizer taggedTokenizer_;
  TaggedTokenizer untaggedTokenizer_;  // for kept text: it knows no tags
  PlainTokenizer plainTokenizer_;
  SentenceSplitter splitter_;
  TextProcessorChain chain_;
  SentenceStages stages_;
  LetterToPhoneme converter_;

  std::vector<Sentence> sentences_;
  std::vector<KeptText> keptTexts_;
  size_t cutting_ = 0;  // the first kept text not used up
  UI4 current_ = 0;
  // Token index in the current sentence where its next slice starts.
  size_t sliceStart_ = 0;
  UI8 textPosition_ = 0;
  INT subLanguage_ = kInitialSubLanguage;
  PreparedSentence working_;
  std::vector<OutputSyntagma> output_;
};
