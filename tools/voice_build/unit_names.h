// The allophone names of the voice: every name the phonetics can make from
// phonemes of sub-language 1, the substitutes it falls back on, and how
// close two names are (for filling a name the recordings lack).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The consonant names of the phoneme inventory.
const std::vector<std::string>& ConsonantNames();
// Vowels with stress digits 0, 1 and 2 (no "O1"/"O2": unstressed "о" is
// said as "A").
const std::vector<std::string>& VowelNames();

// Every unit name a syntagma of sub-language 1 can ask for directly, plus
// the substitutes of those names and of their partially stressed forms.
std::vector<std::string> AllUnitNames();

// Phoneme and context of a unit name ("T-A0" -> "T", "A0"; "T" -> "T", "").
void SplitUnitName(std::string_view name, std::string& phoneme, std::string& context);

// Distance between two unit names for filling gaps; 0 for the same name.
// Names of the same phoneme are always closer than names of another one.
int UnitNameDistance(std::string_view wanted, std::string_view available);
