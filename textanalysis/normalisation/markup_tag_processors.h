// Processors driven by markup attributes: "About", "Punc" and "Spell".
#pragma once

#include <map>
#include <string>

#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/letter_tables.h"

class AboutTagProcessor : public TextProcessor {
 public:
  AboutTagProcessor();
  void OnTag(const std::set<std::string>& tags) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  bool active_ = false;
};

// Reads a token by the names of its characters (or its own name).
class CharacterNameProcessor : public TextProcessor {
 public:
  CharacterNameProcessor(const char* attribute, ByteTable characterNames,
                         std::map<std::string, std::string> tokenNames);
  void OnTag(const std::set<std::string>& tags) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  const char* attribute_;
  bool active_ = false;
  ByteTable characterNames_;
  std::map<std::string, std::string> tokenNames_;
};

// Punctuation and symbols by name.
class PuncTagProcessor : public CharacterNameProcessor {
 public:
  PuncTagProcessor();
};

// Letters, digits and symbols by name.
class SpellTagProcessor : public CharacterNameProcessor {
 public:
  SpellTagProcessor();
};
