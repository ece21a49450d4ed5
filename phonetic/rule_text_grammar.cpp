#include "phonetic/rule_text_grammar.h"

#include "foundation/string_utils.h"

bool ParseGroupLine(const std::string& line, std::string& name,
                    std::vector<std::string>& members) {
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  name = line.substr(0, colon);
  Trim(name);
  SplitByChar(line.substr(colon + 1), members, ',');
  return true;
}

bool SplitRuleLine(const std::string& line, RuleLineParts& parts) {
  const size_t dash = line.find('-');
  if (dash == std::string::npos) return false;
  const size_t arrow = line.find('>', dash + 1);
  if (arrow == std::string::npos) return false;
  parts.left = line.substr(0, dash);
  parts.right = line.substr(dash + 1, arrow - dash - 1);
  parts.result = line.substr(arrow + 1);
  return true;
}

std::string GroupSyntaxErrorText(const std::string& line) {
  return "Syntax error in group definition:\n" + line;
}

std::string RuleSyntaxErrorText(const std::string& line) {
  return "Syntax error in rule definition:\n" + line;
}
