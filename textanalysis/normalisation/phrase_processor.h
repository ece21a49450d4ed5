// Replaces the longest run of tokens the phrase dictionary knows by what is
// to be said for it.
#pragma once

#include "textanalysis/chain/text_processor.h"

class PhraseDictionary;

class PhraseProcessor : public TextProcessor {
 public:
  PhraseProcessor();
  int Init(LinguisticResources* resources) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  const PhraseDictionary* dictionary_ = nullptr;
};
