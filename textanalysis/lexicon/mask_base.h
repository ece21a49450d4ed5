// Mask bases: decide one letter of a word from the words around it. The
// yo mask base says which 'е' is read 'ё'; the context-stress base, of the
// same form, gives a stressed vowel.
#pragma once

#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/text_token.h"
#include "textanalysis/lexicon/mask_entry.h"
#include "textanalysis/lexicon/mask_word_list.h"
#include "textanalysis/lexicon/word_texts.h"

class MaskBase {
 public:
  // File names carry the tag: "lmask<tag>.wds", "lmask<tag>.idx" and so on.
  explicit MaskBase(const char* tag) : tag_(tag) {}

  // Reads the left, right and neutral lists and the rule file from the
  // folder; missing files leave their part empty. Always true, and the base
  // is ready afterwards.
  bool Load(const std::u16string& folder);
  bool IsReady() const { return ready_; }

 protected:
  // The letter of the word at `index` decided by the neutral, right and
  // left lists, then by the first rule in file order whose pattern and
  // context hold; the first decision counts, truncated to a byte.
  bool Decide(const WordTexts& texts, int index, int& decision) const;

 private:
  void LoadRules(const std::u16string& path);

  const char* tag_;
  MaskWordList left_;  // patterns over the word reversed
  MaskWordList right_;
  MaskWordList neutral_;
  std::vector<MaskEntry> rules_;
  bool ready_ = false;
};

class YoMaskBase : public MaskBase {
 public:
  YoMaskBase() : MaskBase("jb") {}

  // True when the decided letter of token `index` lies in its text and is
  // 'е' or 'Е'; position is its index.
  bool FindYoPosition(const std::vector<TextToken>& tokens, int index, int& position) const;
};

class StressMaskBase : public MaskBase {
 public:
  StressMaskBase() : MaskBase("sb") {}

  // True when the decided letter of word `index` lies in its text and is a
  // Cyrillic vowel; position is its index.
  bool FindStressPosition(const std::vector<TextToken>& tokens, int index, int& position) const;
  bool FindStressPosition(const std::vector<StressedWord>& words, int index, int& position) const;

 private:
  bool FindVowel(const WordTexts& texts, int index, int& position) const;
};
