#include "runemap/letter_rule_base.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "foundation/string_utils.h"
#include "foundation/text_file.h"
#include "phonetic/rule_text_grammar.h"
#include "platform/message_box.h"

namespace {

constexpr int32_t kMaxVisemeCode = 21;
constexpr const char* kAttributeErrorCaption = "Error - Attribute";

bool IsInlineBlank(char c) { return c == ' ' || c == '\t'; }

// The next blank-delimited word of text from pos on; pos moves past it.
std::string NextWord(const std::string& text, size_t& pos) {
  while (pos < text.size() && IsInlineBlank(text[pos])) ++pos;
  const size_t start = pos;
  while (pos < text.size() && !IsInlineBlank(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

}  // namespace

// Reads the lines of one rules file into a base. Sections other than
// {Groups and {Rules (and {PhonemeAttributes when attributes are read) are
// skipped up to their "}".
class LetterRuleParser {
 public:
  LetterRuleParser(LetterRuleBase& base, TokenAttributeMap* attributes)
      : base_(base), attributes_(attributes) {}

  HRESULT Parse(TextFile& file) {
    std::string line;
    while (file.ReadLine(line)) {
      StripComment(line);
      if (!ParseLine(line)) return E_FAIL;
    }
    // The end of the file closes an open section.
    if (section_ == Section::kRules) StoreRuleSet();
    return S_OK;
  }

 private:
  enum class Section { kNone, kGroups, kRules, kAttributes, kSkipped };

  bool ParseLine(std::string& line) {
    switch (section_) {
      case Section::kNone:
        if (!line.empty()) OpenSection(line);
        return true;
      case Section::kGroups:
        return ParseGroup(line);
      case Section::kRules:
        return ParseRulesLine(line);
      case Section::kAttributes:
        return ParseAttributes(line);
      case Section::kSkipped:
        if (line == "}") section_ = Section::kNone;
        return true;
    }
    return true;
  }

  void OpenSection(const std::string& line) {
    if (line == "{Groups") {
      section_ = Section::kGroups;
    } else if (line == "{Rules") {
      section_ = Section::kRules;
      ruleSet_ = LetterRuleSet{};
      headerWords_ = 0;
    } else if (line == "{PhonemeAttributes" && attributes_ != nullptr) {
      section_ = Section::kAttributes;
    } else {
      section_ = Section::kSkipped;
    }
  }

  bool ParseGroup(std::string& line) {
    line.erase(std::remove_if(line.begin(), line.end(), IsInlineBlank), line.end());
    if (line.empty()) return true;
    if (line == "}") {
      section_ = Section::kNone;
      return true;
    }
    std::string name;
    std::vector<std::string> members;
    if (!ParseGroupLine(line, name, members)) {
      MessageBoxA(nullptr, GroupSyntaxErrorText(line).c_str(), kSyntaxErrorCaption,
                  MB_OK | MB_ICONERROR);
      return false;
    }
    base_.groups_[name] = std::move(members);
    return true;
  }

  // "name type code viseme": type "C" or "V", viseme 0 to 21.
  bool ParseAttributes(const std::string& line) {
    if (line.empty()) return true;
    if (line == "}") {
      section_ = Section::kNone;
      return true;
    }
    std::vector<std::string> fields;
    SplitByAny(line, fields, " \t");
    fields.resize(std::max<size_t>(fields.size(), 4));
    const std::string& name = fields[0];
    const std::string& type = fields[1];
    const int32_t viseme = std::atoi(fields[3].c_str());
    std::string text;
    if (attributes_->count(name) != 0) {
      text = "Token " + name + " already defined";
    } else if (type != "C" && type != "V") {
      text = "Wrong phoneme type:" + type;
    } else if (viseme < 0 || viseme > kMaxVisemeCode) {
      text = "Wrong viseme code:" + IntToString(viseme);
    }
    if (!text.empty()) {
      MessageBoxA(nullptr, text.c_str(), kAttributeErrorCaption, MB_OK | MB_ICONERROR);
      return false;
    }
    (*attributes_)[name] = TokenAttributes{type == "V" ? 1 : 0, std::atoi(fields[2].c_str()), viseme};
    return true;
  }

  bool ParseRulesLine(const std::string& line) {
    if (line.empty()) return true;
    if (line == "}") {
      if (headerWords_ == 2) StoreRuleSet();
      section_ = Section::kNone;
      return true;
    }
    // The token and its default are the first two words, on one line or
    // two; what follows them on their line is read as a rule line.
    size_t pos = 0;
    while (headerWords_ < 2) {
      std::string word = NextWord(line, pos);
      if (word.empty()) return true;
      (headerWords_ == 0 ? ruleSet_.token : ruleSet_.defaultResult) = std::move(word);
      ++headerWords_;
    }
    std::string rest = line.substr(pos);
    StripComment(rest);
    return rest.empty() || ParseRule(rest);
  }

  bool ParseRule(const std::string& line) {
    RuleLineParts parts;
    if (!SplitRuleLine(line, parts)) {
      MessageBoxA(nullptr, RuleSyntaxErrorText(line).c_str(), kSyntaxErrorCaption,
                  MB_OK | MB_ICONERROR);
      return false;
    }
    // The parts stand as written: a blank beside '-', '>' or ',' belongs to
    // the name next to it.
    LetterRule rule;
    rule.left = SplitList(parts.left);
    rule.right = SplitList(parts.right);
    rule.result = std::move(parts.result);
    ruleSet_.rules.push_back(std::move(rule));
    return true;
  }

  void StoreRuleSet() {
    if (headerWords_ == 0) return;
    const std::string token = ruleSet_.token;
    base_.ruleSets_[token] = std::move(ruleSet_);
    ruleSet_ = LetterRuleSet{};
    headerWords_ = 0;
  }

  LetterRuleBase& base_;
  TokenAttributeMap* attributes_;
  Section section_ = Section::kNone;
  LetterRuleSet ruleSet_;
  int headerWords_ = 0;
};

HRESULT LetterRuleBase::LoadRulesFile(const std::u16string& path) { return LoadRulesFile(path, nullptr); }

HRESULT LetterRuleBase::LoadRulesFile(const std::u16string& path, TokenAttributeMap* attributes) {
  TextFile file;
  if (!file.Open(path.c_str(), u"rt")) return E_FAIL;
  LetterRuleBase fresh;
  TokenAttributeMap freshAttributes;
  LetterRuleParser parser(fresh, attributes != nullptr ? &freshAttributes : nullptr);
  if (parser.Parse(file) != S_OK) return E_FAIL;
  groups_ = std::move(fresh.groups_);
  ruleSets_ = std::move(fresh.ruleSets_);
  if (attributes != nullptr) *attributes = std::move(freshAttributes);
  return S_OK;
}

bool LetterRuleBase::ItemMatches(const std::string& item, const std::string& token) const {
  if (item == kAnyToken) return true;
  const auto group = groups_.find(item);
  if (group == groups_.end()) return false;
  return std::find(group->second.begin(), group->second.end(), token) != group->second.end();
}

bool LetterRuleBase::RuleApplies(const LetterRule& rule, const std::vector<std::string>& tokens,
                                 size_t k) const {
  if (rule.left.size() > k || rule.right.size() > tokens.size() - 1 - k) return false;
  for (size_t m = 0; m < rule.left.size(); ++m) {
    if (!ItemMatches(rule.left[m], tokens[k - 1 - m])) return false;
  }
  for (size_t m = 0; m < rule.right.size(); ++m) {
    if (!ItemMatches(rule.right[m], tokens[k + 1 + m])) return false;
  }
  return true;
}

std::string LetterRuleBase::ApplyRules(const std::vector<std::string>& tokens, size_t k) const {
  if (k >= tokens.size()) return {};
  const std::string& token = tokens[k];
  if (token == "_") return "_";
  if (token == "#") return {};
  const auto found = ruleSets_.find(token);
  if (found == ruleSets_.end()) return {};
  const LetterRuleSet& set = found->second;

  std::string result;
  for (const LetterRule& rule : set.rules) {
    if (RuleApplies(rule, tokens, k)) {
      result = rule.result;
      break;
    }
  }
  if (result.empty()) result = set.defaultResult;
  if (result == kSilentResult) return {};
  return result;
}
