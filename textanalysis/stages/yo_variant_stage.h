// First word stage: lower-cases the words of a run and restores 'ё' in
// words typed with 'е' when the 'ё' base knows the spelling.
#pragma once

#include <string>
#include <vector>

#include "foundation/text_token.h"
#include "textanalysis/lexicon/word_file_set.h"

class YoVariantStage {
 public:
  // False without a base.
  bool Init(const YoVariantsBase* base);

  // Over tokens[from, to).
  void Run(std::vector<TextToken>& tokens, size_t from, size_t to) const;

 private:
  // The first single 'е' -> 'ё' change, left to right, that the base knows.
  void RestoreYo(std::string& word) const;

  const YoVariantsBase* base_ = nullptr;
};
