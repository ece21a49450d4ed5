// The 'ё' restorer, the pass-through for words already sayable, the symbol
// reader and the last resort that drops what nothing could say.
#pragma once

#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/letter_tables.h"

class YoMaskBase;

// Puts back the 'ё' that the yo mask base finds in a word written with 'е'.
class YoRestoreProcessor : public TextProcessor {
 public:
  YoRestoreProcessor();
  int Init(LinguisticResources* resources) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  const YoMaskBase* yoMasks_ = nullptr;
};

// Cyrillic words and punctuation go on unchanged.
class PassThroughProcessor : public TextProcessor {
 public:
  PassThroughProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;
};

// Symbols by name; "$" and "%" after a number agree with it ("процентов").
class SymbolNameProcessor : public TextProcessor {
 public:
  SymbolNameProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  ByteTable names_;
};

// Takes any token and says nothing for it.
class DropWordProcessor : public TextProcessor {
 public:
  DropWordProcessor();
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;
};

// The ending a unit name takes after the number written as `number`: "" for
// one, "а" for two to four, "ов" for the rest; nothing when the number holds
// both "." and ",".
std::string AgreeingEnding(const std::string& number);
