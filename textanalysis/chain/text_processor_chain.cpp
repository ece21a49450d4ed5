#include "textanalysis/chain/text_processor_chain.h"

#include <algorithm>

#include "textanalysis/lexicon/string_resource_file.h"

bool PhraseProcessingEnabled(const StringResourceFile& resources) {
  const std::vector<std::string> lines =
      resources.GetLines("Разрешить_Обработку_Аббревиатур", "Данные");
  return !lines.empty() && lines.front() == "1";
}

void TextProcessorChain::Register(const ChainProcessors& processors, bool phraseEnabled) {
  processors_.clear();
  for (const ChainRegistration& registration : kChainRegistrations) {
    if (registration.slot == ChainSlot::Phrase && !phraseEnabled) continue;
    TextProcessor* processor = processors[static_cast<size_t>(registration.slot)];
    if (processor != nullptr) processors_.push_back(processor);
  }
}

bool TextProcessorChain::Init(LinguisticResources* resources) {
  for (TextProcessor* processor : processors_)
    if (processor->Init(resources) == 0) return false;
  std::stable_sort(processors_.begin(), processors_.end(), TextProcessor::HigherPriority);
  return true;
}

void TextProcessorChain::DeliverTags(const std::set<std::string>& tags) const {
  for (TextProcessor* processor : processors_) processor->OnTag(tags);
}
