// Corrections at the joint of two neighbouring words of a syntagma: the
// previous word's final consonant is voiced before a voiced onset, and
// "и" after a hard consonant is said "ы".
#pragma once

#include <string>

// `previous` and `next` are phoneme strings; the first rule that matches
// changes one of them.
void ApplyCrossWordRules(std::string& previous, std::string& next);
