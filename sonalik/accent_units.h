// Where each sound of a phoneme list stands: its plosive neighbours, its
// syllable and its accent unit. The same marking serves the Russian
// position descriptions and the English phonetics.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sonalik/sound_description.h"

// Places of articulation of the plosives: 1 dental, 2 velar, 3 labial.
struct PlosivePlaceRow {
  int place;
  const char* names;
};
inline constexpr PlosivePlaceRow kPlosivePlaces[] = {
    {1, "T T' D D'"},
    {2, "G G' K K'"},
    {3, "P P' B B'"},
};
// The place of a plosive's name; 0 for any other name.
int PlosivePlace(std::string_view name);

// Marks each consonant with the plosive places of its neighbours
// (Homoorganic or NonHomoorganic, when both are plosives) and with the same
// phoneme before or after it. `places[i]` is the plosive place of names[i].
void MarkNeighbours(const std::vector<std::string>& names, const std::vector<int>& places,
                    std::vector<SoundDescription>& marks);

// A syllable: its first element and the number of its elements.
struct Syllable {
  size_t first = 0;
  size_t length = 0;
};
// The syllables of one stretch between boundaries ("_", "#").
using AccentUnit = std::vector<Syllable>;

// Element 0 opens the list as a boundary. Each syllable ends in its vowel;
// consonants after a unit's last vowel join its last syllable, and a unit
// without a vowel is one syllable. With closeAtEnd the end of the list
// closes the last unit as a boundary would; otherwise an unclosed unit is
// left out.
std::vector<AccentUnit> FindAccentUnits(const std::vector<SoundDescription>& own,
                                        bool closeAtEnd);

// Adds to `marks` the syllable bits (first, middle, last, open or closed;
// stressed, pretonic or posttonic, adjoining the stress or not) and the
// accent-unit bits of every element of the units. Stress, a closing
// consonant and partial stress are read from `own`.
void MarkAccentUnits(const std::vector<AccentUnit>& units, const std::vector<SoundDescription>& own,
                     std::vector<SoundDescription>& marks);

// The first index in [from, to] whose description is fully stressed; -1
// when there is none or the range is empty.
int64_t FindStressed(const std::vector<SoundDescription>& descriptions, int64_t from, int64_t to);
