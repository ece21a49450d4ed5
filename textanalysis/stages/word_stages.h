// The word stages of a prepared sentence, run by run: 'ё' variants, hyphen
// joining, stresses, clitic groups, the "не было" rule and group stress.
// Runs are the stretches between literal pronunciations, each of which
// becomes a group of its own.
#pragma once

#include <vector>

#include "foundation/syntagma.h"
#include "textanalysis/chain/sentence_preparer.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/lexicon/service_word_lists.h"
#include "textanalysis/stages/clitic_joiner.h"
#include "textanalysis/stages/hyphen_joiner.h"
#include "textanalysis/stages/stress_stage.h"
#include "textanalysis/stages/yo_variant_stage.h"

class WordStages {
 public:
  // False when the stress stage or the 'ё' stage is not ready.
  bool Init(LinguisticResources& resources, const ServiceWordLists& serviceWords);

  // The sentence's phonetic words, in order.
  std::vector<WordGroup> Run(const PreparedSentence& prepared) const;

 private:
  void RunWords(std::vector<TextToken>& tokens, const std::vector<StressSpec>& stresses,
                size_t from, size_t to, std::vector<WordGroup>& groups) const;

  YoVariantStage yoVariants_;
  HyphenJoiner hyphens_;
  StressStage stresses_;
  CliticJoiner clitics_;
};
