// The rules of a rule base in its text form, read into the tables of the
// compiled Russian base and compared with the tables a compiled file holds:
// a check that an installed base was made from a given text.
#pragma once

#include <string>
#include <vector>

#include "phonetic/allophone_rule_base.h"
#include "phonetic/rule_base_compiler.h"

// Reads the {Rules sections of the text file (every other section is passed
// over) and makes their tables with the phonemes and groups of the compiled
// base. False when the file cannot be read, a rule line is malformed (shown
// in a message box) or the rules cannot be put into tables.
bool ReadTextRuleTables(const std::u16string& path, const AllophoneRuleBase& compiled,
                        CompiledRuleBaseImage& tables);

// The phonemes whose rule tables differ between the two (present on one side
// only, or another default, context map or label table), then "flag " and
// the label of every flag that differs. Empty when they agree.
std::vector<std::string> CompareRuleTables(const AllophoneRuleBase& compiled,
                                           const CompiledRuleBaseImage& tables);
