// Syllables, accent units and plosive places as both phonetics mark them.
#include <gtest/gtest.h>

#include "sonalik/accent_units.h"

namespace {

using namespace Sound;

constexpr SoundDescription kBoundary = Space;
constexpr SoundDescription kConsonant = Consonant;
constexpr SoundDescription kVowel = Vowel;
constexpr SoundDescription kStressedVowel = Vowel | FullStressed;

std::string Describe(const std::vector<AccentUnit>& units) {
  std::string text;
  for (const AccentUnit& unit : units) {
    text += "[";
    for (const Syllable& s : unit)
      text += std::to_string(s.first) + "+" + std::to_string(s.length) + " ";
    text += "]";
  }
  return text;
}

TEST(AccentUnitsTest, PlosivePlaces) {
  EXPECT_EQ(PlosivePlace("T'"), 1);
  EXPECT_EQ(PlosivePlace("D"), 1);
  EXPECT_EQ(PlosivePlace("K"), 2);
  EXPECT_EQ(PlosivePlace("B'"), 3);
  EXPECT_EQ(PlosivePlace("M"), 0);
  EXPECT_EQ(PlosivePlace("T T'"), 0);
  EXPECT_EQ(PlosivePlace(""), 0);
}

TEST(AccentUnitsTest, NeighbourMarks) {
  const std::vector<std::string> names = {"#", "T", "D", "K", "K", "A0", "#"};
  std::vector<int> places;
  for (const std::string& name : names) places.push_back(PlosivePlace(name));
  std::vector<SoundDescription> marks = {kBoundary,  kConsonant, kConsonant, kConsonant,
                                         kConsonant, kVowel,     kBoundary};
  MarkNeighbours(names, places, marks);
  EXPECT_EQ(marks[1], kConsonant | Homoorganic);
  EXPECT_EQ(marks[2], kConsonant | Homoorganic | NonHomoorganic);
  EXPECT_EQ(marks[3], kConsonant | NonHomoorganic | Homoorganic | SamePhoneme1);
  EXPECT_EQ(marks[4], kConsonant | Homoorganic | SamePhoneme2);
  EXPECT_EQ(marks[5], kVowel);
}

// "#" M A M "_" M A "#", then the same without the closing "#".
TEST(AccentUnitsTest, UnitsAndTheirSyllables) {
  std::vector<SoundDescription> own = {kBoundary, kConsonant, kStressedVowel, kConsonant,
                                       kBoundary, kConsonant, kVowel,         kBoundary};
  EXPECT_EQ(Describe(FindAccentUnits(own, false)), "[1+3 ][5+2 ]");
  EXPECT_EQ(Describe(FindAccentUnits(own, true)), "[1+3 ][5+2 ]");
  own.pop_back();
  EXPECT_EQ(Describe(FindAccentUnits(own, false)), "[1+3 ]");
  EXPECT_EQ(Describe(FindAccentUnits(own, true)), "[1+3 ][5+2 ]");
  // A unit without a vowel is one syllable.
  EXPECT_EQ(Describe(FindAccentUnits({kBoundary, kConsonant, kConsonant, kBoundary}, false)),
            "[1+2 ]");

  own = {kBoundary, kConsonant, kVowel, kConsonant, kStressedVowel, kConsonant, kBoundary};
  std::vector<SoundDescription> marks = own;
  MarkAccentUnits(FindAccentUnits(own, false), own, marks);
  const SoundDescription unit = LastAU | HasPretonicSyl | NoPosttonicSyl;
  EXPECT_EQ(marks[1], own[1] | FirstSyl | Bit29 | PretonicSyl | Bit48 | Adjoining | unit);
  EXPECT_EQ(marks[4], own[4] | LastSyl | Closed | StressedSyl | Bit49 | unit);
  EXPECT_EQ(marks[5], marks[4] - own[4] + own[5]);
  EXPECT_EQ(marks[0], own[0]);
  EXPECT_EQ(FindStressed(own, 0, 3), -1);
  EXPECT_EQ(FindStressed(own, 0, 99), 4);
  EXPECT_EQ(FindStressed(own, 5, 4), -1);
}

}  // namespace
