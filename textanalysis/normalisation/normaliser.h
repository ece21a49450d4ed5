// Everything the text normaliser brings to the text-analysis pipeline: its
// bases (phrase dictionary, grammar tables, transcriptions), the processors
// of the chain by slot, the markup and transcription processors that are
// built but not chained, and the phrase lookup for the sentence splitter.
#pragma once

#include "textanalysis/chain/text_processor_chain.h"
#include "textanalysis/lexicon/normaliser_bases.h"
#include "textanalysis/normalisation/context_tag_processor.h"
#include "textanalysis/normalisation/function_word_list.h"
#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/letter_processors.h"
#include "textanalysis/normalisation/markup_tag_processors.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/phrase_dictionary.h"
#include "textanalysis/normalisation/phrase_processor.h"
#include "textanalysis/normalisation/transcription.h"
#include "textanalysis/normalisation/word_processors.h"

class Normaliser : public NormaliserBases {
 public:
  Normaliser();
  Normaliser(const Normaliser&) = delete;
  Normaliser& operator=(const Normaliser&) = delete;

  // NormaliserBases
  void* GetResource(int number) override;
  void LoadTranscriptions(const std::vector<std::string>& lines) override;
  void SetPhraseCharSet(const CharSet& set) override;
  bool LoadPhrases(const std::vector<std::string>& lines) override;
  bool LoadNumberForms(const std::vector<std::string>& lines) override;
  bool LoadDictionaryForms(const std::vector<std::string>& lines) override;

  // The chain's processors by slot.
  ChainProcessors Processors();
  const AbbreviationLookup* Abbreviations() const { return &abbreviations_; }

  const PhraseDictionary& Phrases() const { return phrases_; }
  const GrammarTables& Grammar() const { return grammar_; }
  const TranscriptionDictionary& Transcriptions() const { return transcriptions_; }

 private:
  PhraseDictionary phrases_;
  GrammarTables grammar_;
  TranscriptionDictionary transcriptions_;
  PhraseAbbreviationLookup abbreviations_;

  DropWordProcessor dropWord_;
  PassThroughProcessor passThrough_;
  LatinToCyrillicProcessor latinToCyrillic_;
  CardinalNumberProcessor cardinalNumber_;
  CyrillicAbbreviationProcessor cyrillicAbbreviation_;
  LatinAbbreviationProcessor latinAbbreviation_;
  PhraseProcessor phrase_;
  SymbolNameProcessor symbolName_;
  OrdinalNumberProcessor ordinalNumber_;
  LetterNameProcessor letterName_;
  YoRestoreProcessor yoRestore_;
  CurrencyProcessor currency_;
  RomanNumeralProcessor romanNumeral_;

  // Built with the rest, never chained.
  AboutTagProcessor aboutTag_;
  ContextTagProcessor contextTag_;
  PuncTagProcessor puncTag_;
  SpellTagProcessor spellTag_;
  TranscriptionProcessor transcription_;
  FunctionWordList functionWords_;
};
