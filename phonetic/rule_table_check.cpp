#include "phonetic/rule_table_check.h"

#include <set>

namespace {

template <typename Views, typename Strings>
bool SameMap(const Views& views, const Strings& strings) {
  if (views.size() != strings.size()) return false;
  auto s = strings.begin();
  for (const auto& [key, value] : views) {
    if (key != s->first || value != s->second) return false;
    ++s;
  }
  return true;
}

template <typename Views, typename Strings>
bool SameDistanceTables(const Views& views, const Strings& strings) {
  if (views.size() != strings.size()) return false;
  auto s = strings.begin();
  for (const auto& [distance, table] : views) {
    if (distance != s->first || !SameMap(table, s->second)) return false;
    ++s;
  }
  return true;
}

bool SameRecord(const AllophoneRuleBase::RuleRecord& record, const CompiledRule& rule) {
  return record.defaultSuffix == rule.defaultSuffix && SameMap(record.contexts, rule.contexts) &&
         SameDistanceTables(record.right, rule.right) && SameDistanceTables(record.left, rule.left);
}

}  // namespace

bool ReadTextRuleTables(const std::u16string& path, const AllophoneRuleBase& compiled,
                        CompiledRuleBaseImage& tables) {
  PhonemeAllophoneBase text;
  if (text.LoadRulesOnly(path) != S_OK) return false;
  PhonemeAllophoneBase::PhonemeMap phonemes;
  for (const auto& [name, attributes] : compiled.Attributes())
    phonemes[std::string(name)] = PhonemeInfo{attributes.isVowel, attributes.phonemeCode, attributes.visemeCode};
  PhonemeAllophoneBase::GroupMap groups;
  for (const auto& [name, members] : compiled.Groups())
    groups[std::string(name)].assign(members.begin(), members.end());
  text.SetInventory(std::move(phonemes), std::move(groups));
  std::string error;
  return CompileRuleBase(text, tables, error);
}

std::vector<std::string> CompareRuleTables(const AllophoneRuleBase& compiled,
                                           const CompiledRuleBaseImage& tables) {
  std::set<std::string> differing;
  for (const auto& [phoneme, record] : compiled.Rules()) {
    const auto rule = tables.rules.find(std::string(phoneme));
    if (rule == tables.rules.end() || !SameRecord(record, rule->second)) differing.emplace(phoneme);
  }
  for (const auto& [phoneme, rule] : tables.rules)
    if (compiled.Rules().count(phoneme) == 0) differing.insert(phoneme);
  std::vector<std::string> out(differing.begin(), differing.end());

  std::set<std::string> flags;
  for (const auto& [label, flag] : compiled.Flags()) {
    const auto other = tables.flags.find(std::string(label));
    if (other == tables.flags.end() || other->second != flag) flags.emplace(label);
  }
  for (const auto& [label, flag] : tables.flags)
    if (compiled.Flags().count(label) == 0) flags.insert(label);
  for (const std::string& label : flags) out.push_back("flag " + label);
  return out;
}
