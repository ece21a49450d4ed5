// English letter rules read from a rules file: named groups of letter
// tokens, and per token a default result and ordered context rules.
//
// A word is a list of tokens: the opening boundary ('#' or '_'), one token
// per letter (the capital letter; a vowel carries its stress digit, "A0",
// "E2"), the closing boundary. Context items are group names or "*".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"

struct LetterRule {
  // Nearest first.
  std::vector<std::string> left;
  std::vector<std::string> right;
  std::string result;
};

// What a {PhonemeAttributes line tells of a token.
struct TokenAttributes {
  int32_t isVowel = 0;
  int32_t code = 0;
  int32_t viseme = 0;
};
using TokenAttributeMap = std::map<std::string, TokenAttributes>;

struct LetterRuleSet {
  std::string token;
  std::string defaultResult;
  std::vector<LetterRule> rules;
};

class LetterRuleBase {
 public:
  using GroupMap = std::map<std::string, std::vector<std::string>>;
  using RuleSetMap = std::map<std::string, LetterRuleSet>;

  // S_OK, or E_FAIL when the file cannot be opened or holds a syntax error
  // (shown in a message box). A failed load keeps what the base held.
  HRESULT LoadRulesFile(const std::u16string& path);

  // The phonemes of tokens[k] ("A0,R" style, possibly several); empty when
  // the token is silent, has no rules, or is the edge "#".
  std::string ApplyRules(const std::vector<std::string>& tokens, size_t k) const;

  const GroupMap& Groups() const { return groups_; }
  const RuleSetMap& RuleSets() const { return ruleSets_; }

 protected:
  // As LoadRulesFile; a {PhonemeAttributes section fills `attributes`, or is
  // skipped when it is null.
  HRESULT LoadRulesFile(const std::u16string& path, TokenAttributeMap* attributes);

 private:
  friend class LetterRuleParser;

  bool ItemMatches(const std::string& item, const std::string& token) const;
  bool RuleApplies(const LetterRule& rule, const std::vector<std::string>& tokens,
                   size_t k) const;

  GroupMap groups_;
  RuleSetMap ruleSets_;
};
