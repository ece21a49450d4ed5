#include "textanalysis/normalisation/phrase_processor.h"

#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/phrase_dictionary.h"
#include "textanalysis/normalisation/token_output.h"

PhraseProcessor::PhraseProcessor() : TextProcessor(ChainPriority(ChainSlot::Phrase)) {}

int PhraseProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    dictionary_ = static_cast<const PhraseDictionary*>(
        resources->GetResource(LinguisticResources::kPhraseDictionary));
  return 1;
}

int PhraseProcessor::Process(std::vector<TextToken>& tokens, int index,
                             std::vector<TextToken>& out, int* consumed) {
  if (dictionary_ == nullptr) return Decline(out, consumed);
  const UI4 leftFlags = index > 0 ? tokens[index - 1].flags : 0;
  std::vector<PhraseEntry> entries;
  int last = -1;
  if (!dictionary_->Match(tokens, index, leftFlags, entries, last) || last < index ||
      last >= static_cast<int>(tokens.size()))
    return Decline(out, consumed);
  std::string text = entries.front().text;
  // The sentence's full stop stays with it.
  const std::string& lastText = tokens[last].text;
  if (last + 1 == static_cast<int>(tokens.size()) && !lastText.empty() && lastText.back() == '.')
    text += '.';
  return Handle(out, consumed, SpanToken(tokens, index, last, text), last - index + 1);
}
