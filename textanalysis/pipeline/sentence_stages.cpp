#include "textanalysis/pipeline/sentence_stages.h"

#include <utility>

#include "textanalysis/stages/colloquial_rewrites.h"
#include "textanalysis/stages/syntagma_cutter.h"
#include "textanalysis/stages/syntagma_words.h"
#include "textanalysis/stages/tone_marks.h"

namespace {

class ConverterAdapter : public WordConverter {
 public:
  explicit ConverterAdapter(const LetterToPhoneme& converter) : converter_(converter) {}
  bool Convert2(const std::string& letters, INT fullStress, std::vector<INT> partStresses,
                std::string& phonemes) const override {
    return converter_.Convert2(letters, fullStress, std::move(partStresses), phonemes);
  }
  bool Convert(const std::string& word, std::vector<I1> params,
               std::string& phonemes) const override {
    return converter_.Convert(word, std::move(params), phonemes);
  }

 private:
  const LetterToPhoneme& converter_;
};

void SetWordPositions(OutputSyntagma& syntagma) {
  for (OutputWord& word : syntagma.words) word.position = MiddleInSyntagma;
  syntagma.words.front().position = FirstInSyntagma;
  syntagma.words.back().position = LastInSyntagma;
}

}  // namespace

bool SentenceStages::Init(LinguisticResources& resources, const ServiceWordLists& serviceWords) {
  return words_.Init(resources, serviceWords);
}

void SentenceStages::Run(const PreparedSentence& prepared, const LetterToPhoneme& converter,
                         int subLanguage, std::vector<OutputSyntagma>& out) const {
  out.clear();
  std::vector<SyntagmaRecord> syntagmas = CutSyntagmas(words_.Run(prepared));
  const ConverterAdapter adapter(converter);
  for (SyntagmaRecord& syntagma : syntagmas) {
    RewriteSyntagmaColloquially(syntagma);
    OutputSyntagma built = BuildSyntagmaWords(syntagma, adapter, subLanguage);
    if (built.words.empty()) continue;
    SetWordPositions(built);
    out.push_back(std::move(built));
  }
  SetToneMarks(out);
}
