// What the phonetic processor object does, without its COM shell: the
// language setting with the loading of the Russian rule base, the
// conversion of one word's phonemes into allophones, and phoneme attributes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "phonetic/allophone_rule_base.h"
#include "phonetic/phonetic_eng.h"
#include "platform/types.h"

class PhoneticProcessorCore {
 public:
  // nullopt stands for a NULL language string.
  using Language = std::optional<std::u16string>;

  // S_FALSE for the language already set. "409" needs no data; "419" loads
  // the Russian base named by the registry. A failed "419" leaves Russian set
  // without a base (every conversion then fails with E_ABORT), and setting
  // it again tries again; other failed values leave the object as it was.
  HRESULT SetLanguage(const Language& value);
  const Language& GetLanguage() const { return language_; }
  const std::u16string& RuleBasePath() const { return ruleBasePath_; }

  // phonemes: comma-separated phonemes of one word, framed by boundary
  // marks. outPhonemes and allophones receive the two lists in step with
  // each other.
  HRESULT ToAllophones(const std::string& phonemes, std::string& outPhonemes,
                       std::string& allophones) const;

  // {is-vowel, phoneme code, viseme code} of a phoneme name.
  PhonemeAttributes Attributes(const std::string& name) const;

 private:
  bool IsRussian() const { return language_ && *language_ == u"419"; }
  bool IsVowel(const std::string& phoneme) const;
  HRESULT ToRussianAllophones(const std::vector<std::string>& tokens, std::string& outPhonemes,
                              std::string& allophones) const;

  Language language_;
  std::u16string ruleBasePath_;
  AllophoneRuleBase russianBase_;
  PhoneticEng english_;
};
