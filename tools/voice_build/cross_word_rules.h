// Corrections at the joint of two words of a syntagma: a final consonant
// takes the voicing of the next word's onset, and "I" after a hard final
// consonant becomes "Y".
#pragma once

#include <string>

// `previous` and `next` are comma-joined phoneme strings; one of them may
// change.
void ApplyCrossWordRules(std::string& previous, std::string& next);
