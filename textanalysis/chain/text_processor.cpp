#include "textanalysis/chain/text_processor.h"

#include "textanalysis/lexicon/linguistic_resources.h"

int TextProcessor::Init(LinguisticResources* resources) {
  resources_ = resources;
  if (resources != nullptr) {
    tagMap_ = static_cast<StressByPosition*>(
        resources->GetResource(LinguisticResources::kStressByPosition));
    tagTable_ = static_cast<TagTable*>(resources->GetResource(LinguisticResources::kTagTable));
  }
  return 1;
}

void TextProcessor::OnTag(const std::set<std::string>& /*tags*/) {}
