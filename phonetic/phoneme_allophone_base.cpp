#include "phonetic/phoneme_allophone_base.h"

#include <cstdio>
#include <utility>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"
#include "phonetic/rule_text_grammar.h"
#include "platform/message_box.h"

namespace {

constexpr int32_t kMaxVisemeCode = 21;

void ShowError(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONERROR);
}

void ShowNotice(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "PhonemeAllophoneBase", MB_OK);
}

bool IsBoundary(const std::string& name) { return name == "_" || name == "#"; }

}  // namespace

// Reads the lines of one file into a base. A syntax error is shown and ends
// the load; unknown names are shown and reading goes on.
class RuleTextParser {
 public:
  RuleTextParser(PhonemeAllophoneBase& base, bool rulesOnly) : base_(base), rulesOnly_(rulesOnly) {}

  HRESULT Parse(TextFile& file) {
    std::string line;
    while (file.ReadLine(line)) {
      StripComment(line);
      if (line.empty()) continue;
      if (!ParseLine(line)) return E_FAIL;
    }
    return S_OK;
  }

 private:
  enum class Section { kNone, kPhonemes, kGroups, kRules, kSkipped };
  enum class RulesStep { kKeys, kDefault, kRules };

  bool ParseLine(const std::string& line) {
    if (section_ != Section::kNone && line == "}") {
      section_ = Section::kNone;
      return true;
    }
    switch (section_) {
      case Section::kNone:
        return OpenSection(line);
      case Section::kPhonemes:
        return ParsePhoneme(line);
      case Section::kGroups:
        return ParseGroup(line);
      case Section::kRules:
        return ParseRulesLine(line);
      case Section::kSkipped:
        return true;
    }
    return true;
  }

  bool OpenSection(const std::string& line) {
    if (rulesOnly_) {
      if (line == "{Rules") {
        section_ = Section::kRules;
        rulesStep_ = RulesStep::kKeys;
        keys_.clear();
      } else if (line[0] == '{') {
        section_ = Section::kSkipped;
      }
      return true;
    }
    if (line[0] == '.') return line == ".Version 2";
    if (line == "{Phonemes") {
      section_ = Section::kPhonemes;
    } else if (line == "{Groups") {
      section_ = Section::kGroups;
    } else if (line == "{Rules") {
      section_ = Section::kRules;
      rulesStep_ = RulesStep::kKeys;
      keys_.clear();
    } else {
      section_ = Section::kSkipped;
    }
    return true;
  }

  bool ParsePhoneme(const std::string& line) {
    std::vector<char> name(line.size() + 1, '\0');
    std::vector<char> type(line.size() + 1, '\0');
    int code = 0;
    int viseme = 0;
    std::sscanf(line.c_str(), "%s %s %d %d", name.data(), type.data(), &code, &viseme);
    const std::string nameText = name.data();
    const std::string typeText = type.data();
    if (base_.phonemes_.count(nameText) != 0) {
      ShowError("Phoneme " + nameText + " is already defined", "Error - Attribute");
      return false;
    }
    if (typeText != "C" && typeText != "V") {
      ShowError("Wrong phoneme type:" + typeText, "Error - Attribute");
      return false;
    }
    if (viseme < 0 || viseme > kMaxVisemeCode) {
      ShowError("Wrong viseme code:" + IntToString(viseme), "Error - Attribute");
      return false;
    }
    base_.phonemes_[nameText] = PhonemeInfo{typeText == "V" ? 1 : 0, code, viseme};
    return true;
  }

  bool ParseGroup(const std::string& line) {
    std::string name;
    std::vector<std::string> members;
    if (!ParseGroupLine(line, name, members)) {
      ShowError(GroupSyntaxErrorText(line), kSyntaxErrorCaption);
      return false;
    }
    for (const std::string& member : members) {
      if (!IsBoundary(member) && base_.phonemes_.count(member) == 0) {
        ShowNotice("Unknown phoneme " + member + " in group " + name);
      }
    }
    base_.groups_[name] = std::move(members);
    return true;
  }

  bool ParseRulesLine(const std::string& line) {
    switch (rulesStep_) {
      case RulesStep::kKeys:
        SplitByChar(line, keys_, ',');
        for (const std::string& key : keys_) {
          if (!rulesOnly_ && base_.phonemes_.count(key) == 0)
            ShowNotice("Unknown phoneme " + key + " in rules");
          base_.ruleSets_[key] = AllophoneRuleSet{};
        }
        rulesStep_ = RulesStep::kDefault;
        return true;
      case RulesStep::kDefault:
        for (const std::string& key : keys_) base_.ruleSets_[key].defaultSuffix = line;
        rulesStep_ = RulesStep::kRules;
        return true;
      case RulesStep::kRules:
        return ParseRule(line);
    }
    return true;
  }

  bool ParseRule(const std::string& line) {
    RuleLineParts parts;
    if (!SplitRuleLine(line, parts)) {
      ShowError(RuleSyntaxErrorText(line), kSyntaxErrorCaption);
      return false;
    }
    AllophoneRule rule;
    SplitByChar(parts.left, rule.left, ',');
    SplitByChar(parts.right, rule.right, ',');
    rule.result = std::move(parts.result);
    Trim(rule.result);
    for (const std::string& key : keys_) base_.ruleSets_[key].rules.push_back(rule);
    return true;
  }

  PhonemeAllophoneBase& base_;
  const bool rulesOnly_;
  Section section_ = Section::kNone;
  RulesStep rulesStep_ = RulesStep::kKeys;
  std::vector<std::string> keys_;
};

namespace {

HRESULT ReadRuleText(const std::u16string& path, bool rulesOnly, PhonemeAllophoneBase& into) {
  TextFile file;
  if (!file.Open(path.c_str(), u"rt")) return E_FAIL;
  return RuleTextParser(into, rulesOnly).Parse(file);
}

}  // namespace

HRESULT PhonemeAllophoneBase::Load(const std::u16string& path) {
  PhonemeAllophoneBase fresh;
  if (ReadRuleText(path, false, fresh) != S_OK) return E_FAIL;
  fresh.name_ = WideToNarrow(path);
  *this = std::move(fresh);
  return S_OK;
}

HRESULT PhonemeAllophoneBase::LoadRulesOnly(const std::u16string& path) {
  PhonemeAllophoneBase fresh;
  if (ReadRuleText(path, true, fresh) != S_OK) return E_FAIL;
  ruleSets_ = std::move(fresh.ruleSets_);
  return S_OK;
}

void PhonemeAllophoneBase::SetInventory(PhonemeMap phonemes, GroupMap groups) {
  phonemes_ = std::move(phonemes);
  groups_ = std::move(groups);
}

bool PhonemeAllophoneBase::ItemMatches(const std::string& item, const std::string& token) const {
  if (item == kAnyToken) return true;
  const auto group = groups_.find(item);
  if (group == groups_.end()) return false;
  for (const std::string& member : group->second) {
    if (member == token) return true;
  }
  return false;
}

bool PhonemeAllophoneBase::RuleApplies(const AllophoneRule& rule,
                                       const std::vector<std::string>& tokens, size_t i) const {
  if (rule.left.size() > i || rule.right.size() > tokens.size() - 1 - i) return false;
  for (size_t k = 0; k < rule.left.size(); ++k) {
    if (!ItemMatches(rule.left[k], tokens[i - 1 - k])) return false;
  }
  for (size_t k = 0; k < rule.right.size(); ++k) {
    if (!ItemMatches(rule.right[k], tokens[i + 1 + k])) return false;
  }
  return true;
}

std::string PhonemeAllophoneBase::FindRule(const std::vector<std::string>& tokens,
                                           size_t i) const {
  if (i >= tokens.size()) return {};
  const std::string& token = tokens[i];
  const std::string base = token.substr(0, token.find_first_of("01235^"));
  if (base == "_") return "_";
  if (base == "#") return {};

  static const AllophoneRuleSet kNoRules;
  const AllophoneRuleSet* ruleSet = &kNoRules;
  const auto found = ruleSets_.find(base);
  if (found != ruleSets_.end()) {
    ruleSet = &found->second;
  } else {
    ShowNotice("Not found phoneme " + base);
  }

  std::string result;
  for (const AllophoneRule& rule : ruleSet->rules) {
    if (RuleApplies(rule, tokens, i)) {
      result = rule.result;
      break;
    }
  }
  if (result.empty()) return token + ruleSet->defaultSuffix;
  if (result == kSilentResult) return {};
  return token + result;
}

bool PhonemeAllophoneBase::GetPhonemeInfo(const std::string& name, PhonemeInfo& info) const {
  if (IsBoundary(name)) {
    info = PhonemeInfo{};
    return true;
  }
  const auto found = phonemes_.find(name);
  if (found == phonemes_.end()) return false;
  info = found->second;
  return true;
}

void PhonemeAllophoneBase::Clear() {
  groups_.clear();
  ruleSets_.clear();
  phonemes_.clear();
  name_.clear();
}
