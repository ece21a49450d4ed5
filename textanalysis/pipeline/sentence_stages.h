// What happens to a sentence after the processor chain: the word stages,
// syntagma cutting, the colloquial rewrites, word phonemes, word positions
// and tone marks.
#pragma once

#include <vector>

#include "textanalysis/chain/sentence_preparer.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/lexicon/service_word_lists.h"
#include "textanalysis/pipeline/letter_to_phoneme.h"
#include "textanalysis/pipeline/output_syntagma.h"
#include "textanalysis/stages/word_stages.h"

class SentenceStages {
 public:
  // Takes what the stages read from the resources; false when the stress
  // dictionary or the 'ё' base cannot serve.
  bool Init(LinguisticResources& resources, const ServiceWordLists& serviceWords);

  // Replaces `out` with the syntagmas of the prepared sentence; words are
  // converted by the sub-language's entry point (0 IRunemap::Convert2, 1
  // and 2 IRunemap2::Convert, others none) and words without phonemes are
  // left out, as are syntagmas without words.
  void Run(const PreparedSentence& prepared, const LetterToPhoneme& converter, int subLanguage,
           std::vector<OutputSyntagma>& out) const;

 private:
  WordStages words_;
};
