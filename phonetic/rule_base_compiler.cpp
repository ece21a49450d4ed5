#include "phonetic/rule_base_compiler.h"

#include <algorithm>

namespace {

constexpr size_t kMaxStringLength = 127;

// Labels for one rule set in one direction: per distance, the label of
// every token that matches at least one item used at that distance.
struct DirectionLabels {
  std::vector<std::map<std::string, std::string>> byDistance;
};

std::vector<std::string> SplitLabel(const std::string& label) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= label.size()) {
    const size_t plus = label.find('+', start);
    const size_t end = plus == std::string::npos ? label.size() : plus;
    items.push_back(label.substr(start, end - start));
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return items;
}

bool LabelHasItem(const std::string& label, const std::string& item) {
  if (label.empty()) return false;
  const std::vector<std::string> items = SplitLabel(label);
  return std::find(items.begin(), items.end(), item) != items.end();
}

class Compiler {
 public:
  Compiler(const PhonemeAllophoneBase& text, CompiledRuleBaseImage& image, std::string& error)
      : text_(text), image_(image), error_(error) {}

  bool Run() {
    CollectUniverse();
    for (const auto& [key, ruleSet] : text_.RuleSets()) {
      if (!CheckRuleSet(key, ruleSet)) return false;
      left_[key] = BuildLabels(ruleSet, &AllophoneRule::left);
      right_[key] = BuildLabels(ruleSet, &AllophoneRule::right);
      MarkFlags(ruleSet, &AllophoneRule::left, left_[key]);
      MarkFlags(ruleSet, &AllophoneRule::right, right_[key]);
    }
    for (const auto& [name, info] : text_.Phonemes()) {
      image_.attributes[name] = info;
      if (name == "_" || name == "#" || IsFamilyKey(name)) continue;
      const auto ruleSet = text_.RuleSets().find(RuleKeyOf(name));
      if (ruleSet == text_.RuleSets().end()) continue;
      if (!CompilePhoneme(name, ruleSet->first, ruleSet->second)) return false;
    }
    image_.groups = text_.Groups();
    return true;
  }

 private:
  using ItemList = std::vector<std::string> AllophoneRule::*;

  void CollectUniverse() {
    universe_ = {"_", "#"};
    for (const auto& [name, info] : text_.Phonemes()) universe_.insert(name);
    for (const auto& [name, members] : text_.Groups()) universe_.insert(members.begin(), members.end());
  }

  static std::string RuleKeyOf(const std::string& name) {
    return name.substr(0, name.find_first_of("01235^"));
  }

  // A bare vowel listed only to key the rules of its stressed forms (A for
  // A0, A1, ...) is never a token itself and gets no record.
  bool IsFamilyKey(const std::string& name) const {
    for (const auto& [other, info] : text_.Phonemes()) {
      if (other != name && RuleKeyOf(other) == name) return true;
    }
    return false;
  }

  bool CheckRuleSet(const std::string& key, const AllophoneRuleSet& ruleSet) {
    for (const AllophoneRule& rule : ruleSet.rules) {
      if (rule.result == "~") {
        error_ = "The rules of " + key + " drop the phoneme (\"~\"), which the compiled form cannot hold";
        return false;
      }
      for (const ItemList side : {&AllophoneRule::left, &AllophoneRule::right}) {
        for (const std::string& item : rule.*side) {
          if (item.find_first_of(",-+") != std::string::npos) {
            error_ = "Context item " + item + " in the rules of " + key + " cannot be a label";
            return false;
          }
        }
      }
    }
    return true;
  }

  bool Matches(const std::string& item, const std::string& token) const {
    if (item == "*") return true;
    const auto group = text_.Groups().find(item);
    if (group == text_.Groups().end()) return false;
    return std::find(group->second.begin(), group->second.end(), token) != group->second.end();
  }

  DirectionLabels BuildLabels(const AllophoneRuleSet& ruleSet, ItemList side) const {
    size_t depth = 0;
    for (const AllophoneRule& rule : ruleSet.rules) depth = std::max(depth, (rule.*side).size());
    DirectionLabels labels;
    labels.byDistance.resize(depth);
    for (size_t k = 0; k < depth; ++k) {
      std::set<std::string> items;
      for (const AllophoneRule& rule : ruleSet.rules) {
        if ((rule.*side).size() > k) items.insert((rule.*side)[k]);
      }
      for (const std::string& token : universe_) {
        std::string label;
        for (const std::string& item : items) {
          if (!Matches(item, token)) continue;
          if (!label.empty()) label += '+';
          label += item;
        }
        if (!label.empty()) labels.byDistance[k][token] = label;
      }
    }
    return labels;
  }

  // A label is flagged when a rule that reaches further has its item at
  // this distance among the label's items.
  void MarkFlags(const AllophoneRuleSet& ruleSet, ItemList side, const DirectionLabels& labels) {
    for (size_t k = 0; k < labels.byDistance.size(); ++k) {
      for (const auto& [token, label] : labels.byDistance[k]) {
        uint8_t& flag = image_.flags[label];
        for (const AllophoneRule& rule : ruleSet.rules) {
          if ((rule.*side).size() > k + 1 && LabelHasItem(label, (rule.*side)[k])) flag = 1;
        }
      }
    }
  }

  bool IsFlagged(const std::string& label) const {
    const auto found = image_.flags.find(label);
    return found != image_.flags.end() && found->second != 0;
  }

  // Every label sequence, nearest first, that the run-time look can build.
  void Sequences(const DirectionLabels& labels, size_t k, std::vector<std::string>& current,
                 std::vector<std::vector<std::string>>& out) const {
    out.push_back(current);  // no label here: the look stops
    if (k >= labels.byDistance.size()) return;
    std::set<std::string> distinct;
    for (const auto& [token, label] : labels.byDistance[k]) distinct.insert(label);
    for (const std::string& label : distinct) {
      current.push_back(label);
      if (IsFlagged(label)) {
        Sequences(labels, k + 1, current, out);
      } else {
        out.push_back(current);
      }
      current.pop_back();
    }
  }

  static bool SideMatches(const std::vector<std::string>& items,
                          const std::vector<std::string>& sequence) {
    if (items.size() > sequence.size()) return false;
    for (size_t k = 0; k < items.size(); ++k) {
      if (!LabelHasItem(sequence[k], items[k])) return false;
    }
    return true;
  }

  static std::string JoinLabels(const std::vector<std::string>& labels) {
    std::string text;
    for (const std::string& label : labels) {
      if (!text.empty()) text += ',';
      text += label;
    }
    return text;
  }

  bool CompilePhoneme(const std::string& name, const std::string& key,
                      const AllophoneRuleSet& ruleSet) {
    const std::string stress = name.substr(std::min(name.size(), name.find_first_of("0123456789")));
    CompiledRule& compiled = image_.rules[name];
    compiled.defaultSuffix = stress + ruleSet.defaultSuffix;
    const DirectionLabels& left = left_.at(key);
    const DirectionLabels& right = right_.at(key);
    for (size_t k = 0; k < left.byDistance.size(); ++k) {
      if (!left.byDistance[k].empty()) compiled.left[static_cast<int32_t>(k + 1)] = left.byDistance[k];
    }
    for (size_t k = 0; k < right.byDistance.size(); ++k) {
      if (!right.byDistance[k].empty()) compiled.right[static_cast<int32_t>(k + 1)] = right.byDistance[k];
    }

    std::vector<std::string> current;
    std::vector<std::vector<std::string>> leftSequences, rightSequences;
    Sequences(left, 0, current, leftSequences);
    Sequences(right, 0, current, rightSequences);
    for (const auto& leftSequence : leftSequences) {
      for (const auto& rightSequence : rightSequences) {
        std::string result;
        for (const AllophoneRule& rule : ruleSet.rules) {
          if (SideMatches(rule.left, leftSequence) && SideMatches(rule.right, rightSequence)) {
            result = rule.result;
            break;
          }
        }
        if (result.empty() || result == ruleSet.defaultSuffix) continue;
        std::vector<std::string> farthestFirst(leftSequence.rbegin(), leftSequence.rend());
        const std::string contextKey = JoinLabels(farthestFirst) + "-" + JoinLabels(rightSequence);
        if (contextKey.size() > kMaxStringLength) {
          error_ = "Context key " + contextKey + " of " + name + " is longer than 127 bytes";
          return false;
        }
        compiled.contexts[contextKey] = stress + result;
      }
    }
    return true;
  }

  const PhonemeAllophoneBase& text_;
  CompiledRuleBaseImage& image_;
  std::string& error_;
  std::set<std::string> universe_;
  std::map<std::string, DirectionLabels> left_, right_;
};

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<unsigned char>& bytes) : bytes_(bytes) {}

  void Int32(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<unsigned char>(bits >> shift));
  }

  bool PString(const std::string& text, std::string& error) {
    if (text.size() > kMaxStringLength) {
      error = "String " + text + " is longer than 127 bytes";
      return false;
    }
    bytes_.push_back(static_cast<unsigned char>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return true;
  }

  bool PairTable(const std::map<std::string, std::string>& table, std::string& error) {
    Int32(static_cast<int32_t>(table.size()));
    for (const auto& [key, value] : table) {
      if (!PString(key, error) || !PString(value, error)) return false;
    }
    return true;
  }

  bool DistanceTables(const std::map<int32_t, std::map<std::string, std::string>>& tables,
                      std::string& error) {
    Int32(static_cast<int32_t>(tables.size()));
    for (const auto& [distance, table] : tables) {
      Int32(distance);
      if (!PairTable(table, error)) return false;
    }
    return true;
  }

 private:
  std::vector<unsigned char>& bytes_;
};

}  // namespace

bool CompileRuleBase(const PhonemeAllophoneBase& text, CompiledRuleBaseImage& image,
                     std::string& error) {
  image = CompiledRuleBaseImage();
  error.clear();
  return Compiler(text, image, error).Run();
}

bool SerializeRuleBase(const CompiledRuleBaseImage& image, std::vector<unsigned char>& bytes,
                       std::string& error) {
  bytes.clear();
  ByteWriter out(bytes);
  out.Int32(static_cast<int32_t>(image.rules.size()));
  for (const auto& [phoneme, rule] : image.rules) {
    if (!out.PString(phoneme, error) || !out.PString(rule.defaultSuffix, error) ||
        !out.PairTable(rule.contexts, error) || !out.DistanceTables(rule.right, error) ||
        !out.DistanceTables(rule.left, error)) {
      return false;
    }
  }
  out.Int32(static_cast<int32_t>(image.attributes.size()));
  for (const auto& [phoneme, info] : image.attributes) {
    if (!out.PString(phoneme, error)) return false;
    out.Int32(info.isVowel);
    out.Int32(info.phonemeCode);
    out.Int32(info.visemeCode);
    out.Int32(0);
    out.Int32(0);
  }
  out.Int32(static_cast<int32_t>(image.groups.size()));
  for (const auto& [name, members] : image.groups) {
    if (!out.PString(name, error)) return false;
    out.Int32(static_cast<int32_t>(members.size()));
    for (const std::string& member : members) {
      if (!out.PString(member, error)) return false;
    }
  }
  out.Int32(static_cast<int32_t>(image.flags.size()));
  for (const auto& [label, flag] : image.flags) {
    if (!out.PString(label, error)) return false;
    bytes.push_back(flag);
  }
  return true;
}

std::set<std::string> AllophoneNames(const CompiledRuleBaseImage& image) {
  std::set<std::string> names;
  for (const auto& [phoneme, rule] : image.rules) {
    const std::string stem = phoneme.substr(0, phoneme.find_first_of("0123456789"));
    names.insert(stem + rule.defaultSuffix);
    for (const auto& [key, suffix] : rule.contexts) names.insert(stem + suffix);
  }
  return names;
}
