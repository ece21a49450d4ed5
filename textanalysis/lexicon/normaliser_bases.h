// The bases of the text normaliser that the linguistic resources load from
// the string-resource file: the phrase (abbreviation) dictionary, the
// grammar tables and the transcription dictionary. The normaliser owns and
// implements them; the resources only drive their loading and hand them
// out by number.
#pragma once

#include <string>
#include <vector>

#include "foundation/char_set.h"

class NormaliserBases {
 public:
  virtual ~NormaliserBases() = default;

  // Resources 5 (phrase dictionary), 7 (grammar tables) and 12
  // (transcription dictionary); null for any other number.
  virtual void* GetResource(int number) = 0;

  // Lines of "Транскрипция"/"Слова"; the outcome does not matter.
  virtual void LoadTranscriptions(const std::vector<std::string>& lines) = 0;
  // The character set the phrase dictionary's own tokenizer cuts keys with.
  virtual void SetPhraseCharSet(const CharSet& set) = 0;
  // Lines of "Аббревиатуры"/"Данные".
  virtual bool LoadPhrases(const std::vector<std::string>& lines) = 0;
  // Lines of "Числовые_формы"/"Данные".
  virtual bool LoadNumberForms(const std::vector<std::string>& lines) = 0;
  // Lines of "Словарные_формы"/"Данные".
  virtual bool LoadDictionaryForms(const std::vector<std::string>& lines) = 0;
};
