// The line grammar shared by the text rule bases: the phonetic processor's
// phoneme/allophone bases and the English letter rules of the
// letter-to-phoneme server. Each reader walks its own sections; a group line
// and a rule line read the same in both, and so do their error texts.
#pragma once

#include <string>
#include <vector>

// A line of a {Groups section: "name:member,member,...". The name is the
// trimmed text before the first ':', the members the trimmed pieces after it
// (empty pieces dropped). False when the line has no ':'.
bool ParseGroupLine(const std::string& line, std::string& name,
                    std::vector<std::string>& members);

// The three raw parts of a rule line "left-right>result": the text before
// the first '-', between it and the first '>' after it, and after that '>'.
// Nothing is trimmed or split; each reader does that its own way. False
// when the line has no '-' or no '>' after it.
struct RuleLineParts {
  std::string left;
  std::string right;
  std::string result;
};
bool SplitRuleLine(const std::string& line, RuleLineParts& parts);

// Message texts of the two syntax errors, and their caption.
std::string GroupSyntaxErrorText(const std::string& line);
std::string RuleSyntaxErrorText(const std::string& line);
inline constexpr const char* kSyntaxErrorCaption = "Error";

// Context item matching any token.
inline constexpr const char* kAnyToken = "*";
// Rule result that yields nothing.
inline constexpr const char* kSilentResult = "~";
