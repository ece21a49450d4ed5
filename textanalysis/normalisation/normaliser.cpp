#include "textanalysis/normalisation/normaliser.h"

#include "textanalysis/lexicon/linguistic_resources.h"

Normaliser::Normaliser() : abbreviations_(phrases_) {}

void* Normaliser::GetResource(int number) {
  switch (number) {
    case LinguisticResources::kPhraseDictionary:
      return &phrases_;
    case LinguisticResources::kGrammarTables:
      return &grammar_;
    case LinguisticResources::kTranscriptions:
      return &transcriptions_;
    default:
      return nullptr;
  }
}

void Normaliser::LoadTranscriptions(const std::vector<std::string>& lines) {
  transcriptions_.Load(lines);
}

void Normaliser::SetPhraseCharSet(const CharSet& set) { phrases_.SetCharSet(&set); }

bool Normaliser::LoadPhrases(const std::vector<std::string>& lines) { return phrases_.Load(lines); }

bool Normaliser::LoadNumberForms(const std::vector<std::string>& lines) {
  return grammar_.LoadNumeralForms(lines);
}

bool Normaliser::LoadDictionaryForms(const std::vector<std::string>& lines) {
  return grammar_.LoadWordForms(lines);
}

ChainProcessors Normaliser::Processors() {
  ChainProcessors processors{};
  auto put = [&processors](ChainSlot slot, TextProcessor& processor) {
    processors[static_cast<size_t>(slot)] = &processor;
  };
  put(ChainSlot::DropWord, dropWord_);
  put(ChainSlot::PassThrough, passThrough_);
  put(ChainSlot::LatinToCyrillic, latinToCyrillic_);
  put(ChainSlot::CardinalNumber, cardinalNumber_);
  put(ChainSlot::CyrillicAbbreviation, cyrillicAbbreviation_);
  put(ChainSlot::LatinAbbreviation, latinAbbreviation_);
  put(ChainSlot::Phrase, phrase_);
  put(ChainSlot::SymbolName, symbolName_);
  put(ChainSlot::OrdinalNumber, ordinalNumber_);
  put(ChainSlot::LetterName, letterName_);
  put(ChainSlot::YoRestore, yoRestore_);
  put(ChainSlot::Currency, currency_);
  put(ChainSlot::RomanNumeral, romanNumeral_);
  return processors;
}
