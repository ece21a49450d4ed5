// Position descriptions of a phoneme list framed by "#": each element's own
// features plus those of its neighbours, its syllable and its accent unit.
#pragma once

#include <string>
#include <vector>

#include "sonalik/sound_description.h"
#include "sonalik/sound_lookup.h"

// One description per element; empty when any element is outside the
// inventory.
std::vector<SoundDescription> BuildPositionInfo(const std::vector<std::string>& list,
                                                const SoundLookup& sounds);

// More than two elements, all in the inventory, "#" at both ends, and no
// two boundaries ("#", "_") side by side.
bool IsValidPhonemeList(const std::vector<std::string>& list, const SoundLookup& sounds);
