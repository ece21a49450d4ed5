// Rule files: blocks of regular-expression substitutions, each applying to
// the files whose names match the items before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RuleRegex;

struct FileMatchItem {
  std::string name;      // a quoted file name, or empty
  RuleRegex* regex = nullptr;
};

struct SubstitutionRule {
  RuleRegex* regex = nullptr;
  std::string replacement;  // "$n" or "\n" insert group n
  bool global = false;
  std::string text;  // the rule as written, for messages
};

struct RuleBlock {
  std::vector<FileMatchItem> items;
  std::vector<SubstitutionRule> rules;
};

struct RuleSet {
  std::vector<RuleBlock> blocks;
  RuleSet() = default;
  RuleSet(const RuleSet&) = delete;
  RuleSet& operator=(const RuleSet&) = delete;
  ~RuleSet();
};

// Parses rule text into the set; an empty string, or the message of the
// first fault.
std::string rule_file_parse(const char* text, RuleSet* rules);
// Reads and parses a rule file; a message when it cannot be read.
std::string rule_file_read(const char* path, RuleSet* rules);
// Runs the rules of every block whose items match the file name over the
// text (a block of *capacity bytes from xmalloc); returns the number of
// substitutions made.
int32_t rule_file_apply(const RuleSet& rules, const char* fileName, char** text, int32_t* length,
                        int32_t* capacity);
