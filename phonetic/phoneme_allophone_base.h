// A phoneme/allophone rule base in its text form: the phoneme inventory with
// attributes, named groups of phonemes, and per phoneme the ordered context
// rules that choose the suffix naming its allophone.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"

struct PhonemeInfo {
  int32_t isVowel = 0;
  int32_t phonemeCode = 0;
  int32_t visemeCode = 0;
};

struct AllophoneRule {
  // Context items, nearest first: a group name or "*" (any token).
  std::vector<std::string> left;
  std::vector<std::string> right;
  // Appended to the phoneme; empty means the default suffix, "~" no allophone.
  std::string result;
};

struct AllophoneRuleSet {
  std::string defaultSuffix;
  std::vector<AllophoneRule> rules;
};

class PhonemeAllophoneBase {
 public:
  using GroupMap = std::map<std::string, std::vector<std::string>>;
  using RuleSetMap = std::map<std::string, AllophoneRuleSet>;
  using PhonemeMap = std::map<std::string, PhonemeInfo>;

  // S_OK when the whole file was read. E_FAIL when it cannot be opened, has
  // a directive other than ".Version 2", or has an error that is reported
  // by a message box; the base then keeps what it held before.
  HRESULT Load(const std::u16string& path);
  // Reads the {Rules sections only, into the rule sets, leaving the phonemes
  // and groups as they are: every other section is passed over and rule keys
  // are not checked against the phonemes. S_OK, or E_FAIL when the file
  // cannot be opened or a rule line has no '-' or '>' (shown in a message
  // box); the base then keeps its rule sets.
  HRESULT LoadRulesOnly(const std::u16string& path);
  // Phonemes and groups from elsewhere (a compiled base), for rule sets read
  // with LoadRulesOnly.
  void SetInventory(PhonemeMap phonemes, GroupMap groups);

  // The allophone of tokens[i]; "_" for a word boundary, empty for a phrase
  // edge or a rule whose result is "~".
  std::string FindRule(const std::vector<std::string>& tokens, size_t i) const;

  // "_" and "#" count as found with zero attributes.
  bool GetPhonemeInfo(const std::string& name, PhonemeInfo& info) const;

  void Clear();
  const std::string& Name() const { return name_; }

  const GroupMap& Groups() const { return groups_; }
  const RuleSetMap& RuleSets() const { return ruleSets_; }
  const PhonemeMap& Phonemes() const { return phonemes_; }

 private:
  friend class RuleTextParser;

  bool ItemMatches(const std::string& item, const std::string& token) const;
  bool RuleApplies(const AllophoneRule& rule, const std::vector<std::string>& tokens,
                   size_t i) const;

  GroupMap groups_;
  RuleSetMap ruleSets_;
  PhonemeMap phonemes_;
  std::string name_;
};
