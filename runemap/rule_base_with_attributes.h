// Letter rules of the English dialect together with a {PhonemeAttributes
// section: per token its kind (consonant or vowel), code and viseme. The
// letter-to-phoneme server carries it; no conversion reads it.
#pragma once

#include <string>

#include "runemap/letter_rule_base.h"

class RuleBaseWithAttributes : public LetterRuleBase {
 public:
  // S_OK, or E_FAIL when the file cannot be opened or holds an error (shown
  // in a message box: a token defined twice, a type other than "C"/"V", a
  // viseme outside 0..21, a group or rule syntax error). A failed load
  // keeps what the base held.
  HRESULT LoadRulesFile(const std::u16string& path) { return LetterRuleBase::LoadRulesFile(path, &attributes_); }

  const TokenAttributeMap& Attributes() const { return attributes_; }

 private:
  TokenAttributeMap attributes_;
};
