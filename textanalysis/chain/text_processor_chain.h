// The chain of text processors: registration, initialisation, ordering and
// tag delivery. The processor objects belong to whoever builds them.
#pragma once

#include <array>
#include <set>
#include <string>
#include <vector>

#include "textanalysis/chain/chain_order.h"
#include "textanalysis/chain/text_processor.h"

class LinguisticResources;
class StringResourceFile;

// The processor objects by slot; a null slot is not registered.
using ChainProcessors = std::array<TextProcessor*, kChainSlotCount>;

// The string resources switch the phrase processor on with the first line
// "1" of "Разрешить_Обработку_Аббревиатур"/"Данные".
bool PhraseProcessingEnabled(const StringResourceFile& resources);

class TextProcessorChain {
 public:
  // Appends the processors in registration order (the phrase processor only
  // when enabled); forgets any earlier chain.
  void Register(const ChainProcessors& processors, bool phraseEnabled);
  // Initialises the processors in registration order; false at the first
  // that fails. Then sorts the chain by descending priority (stable).
  bool Init(LinguisticResources* resources);

  // Every processor's OnTag, in chain order.
  void DeliverTags(const std::set<std::string>& tags) const;

  const std::vector<TextProcessor*>& Processors() const { return processors_; }

 private:
  std::vector<TextProcessor*> processors_;
};
