// Turns a rule base in its text form into the binary compiled form that the
// phonetic processor maps at run time.
//
// The text rules (first matching rule wins, context items are groups or "*"
// at given distances) become, per phoneme, tables that give each neighbour a
// label naming the set of context items it matches, and a map from every
// reachable sequence of labels to the suffix the text rules choose there.
// A label is flagged when some rule needs the neighbour beyond it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "phonetic/phoneme_allophone_base.h"

struct CompiledRule {
  std::string defaultSuffix;
  std::map<std::string, std::string> contexts;
  std::map<int32_t, std::map<std::string, std::string>> right;
  std::map<int32_t, std::map<std::string, std::string>> left;
};

struct CompiledRuleBaseImage {
  std::map<std::string, CompiledRule> rules;
  std::map<std::string, PhonemeInfo> attributes;
  std::map<std::string, std::vector<std::string>> groups;
  std::map<std::string, uint8_t> flags;
};

// False with a message when the text base uses what the compiled form cannot
// hold: a "~" result, a label or key longer than 127 bytes, or a group name
// with ',', '-' or '+'.
bool CompileRuleBase(const PhonemeAllophoneBase& text, CompiledRuleBaseImage& image,
                     std::string& error);

// The file bytes of an image; false when a string is longer than 127 bytes.
bool SerializeRuleBase(const CompiledRuleBaseImage& image, std::vector<unsigned char>& bytes,
                       std::string& error);

// Every allophone name the image can produce.
std::set<std::string> AllophoneNames(const CompiledRuleBaseImage& image);
