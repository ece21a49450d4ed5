#include "phonetic/phonetic_eng.h"

#include <gtest/gtest.h>

#include "foundation/string_utils.h"

namespace {

using namespace Sound;

std::vector<std::string> Split(const std::string& list) { return SplitList(list); }

class PhoneticEngTest : public ::testing::Test {
 protected:
  std::string Allophones(const std::string& phonemes) const {
    return JoinList(eng_.PhonemesToAllophones(Split(phonemes)));
  }

  PhoneticEng eng_;
};

TEST_F(PhoneticEngTest, InventoryDescriptions) {
  EXPECT_EQ(eng_.GetSD("AE0"), Bit1 | Vowel | Stressed | FullStressed | Short | Intonable);
  EXPECT_EQ(eng_.GetSD("OI5"), Bit1 | Vowel | Stressed | PartialStressed | Diphthong | Intonable);
  EXPECT_EQ(eng_.GetSD("UU1"), Bit1 | Vowel | Unstressed | Pretonic | Long | Intonable);
  EXPECT_EQ(eng_.GetSD("AE^2"), Bit1 | Vowel | Unstressed | Posttonic | Short | Intonable);
  EXPECT_EQ(eng_.GetSD("Y$"), Bit1 | Vowel | Unstressed | Posttonic | Neutral | Intonable);
  EXPECT_EQ(eng_.GetSD("TXR"), Bit1 | Consonant | Voiced | Fricative | Sonant | Vibrant);
  EXPECT_EQ(eng_.GetSD("K'"), Bit1 | Consonant | Voiceless | Occlusive | Plosive);
  EXPECT_EQ(eng_.GetSD("DH"), Bit1 | Consonant | Voiced | Affricate);
  EXPECT_EQ(eng_.GetSD("="), None | Bit62);
  EXPECT_EQ(eng_.GetSD("#"), None | Terminator);
  // Names that are not English phonemes.
  for (const char* name : {"Y0", "Y2", "A^1", "T'", "SH'", ""}) EXPECT_EQ(eng_.GetSD(name), 0u) << name;
}

TEST_F(PhoneticEngTest, BasePhonemeOfAllophoneNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"AE0.03", "AE0"}, {"Y$.4.02", "Y$"}, {"HU^2", "H"},   {"LU^4", "L"},  {"RA^2", "R"},
      {"NGI^4", "NG"},   {"K'34", "K'"},    {"B-E0.09", "B"}, {"ST3", "ST"}, {"TXR31", "TXR"},
      {"_", "_"},        {"=", "="},        {"#", "#"}};
  for (const auto& [allophone, phoneme] : cases) {
    EXPECT_EQ(PhoneticEng::BasePhoneme(allophone), phoneme) << allophone;
  }
}

TEST_F(PhoneticEngTest, BasicAndSubstituteAllophones) {
  const std::pair<const char*, const char*> basic[] = {
      {"AE5.02", "AE0"}, {"II1.00", "II0"}, {"OI2.05", "OI0"}, {"A^5.03", "A^0"},
      {"UU0.10", "UU0"}, {"Y1.00", "Y1"},   {"Y$.5.02", "Y$"}, {"B-E5.09", "B"},
      {"K'34", "K'"},    {"_", "_"}};
  for (const auto& [allophone, result] : basic) {
    EXPECT_EQ(PhoneticEng::BasicAllophone(allophone), result) << allophone;
  }
  // Only a "5" ahead of the first "." is a stress digit.
  const std::pair<const char*, const char*> substitute[] = {
      {"AE5.02", "AE0.02"}, {"B-A5.02", "B-A0.02"}, {"Y$.5.02", "Y$.5.02"},
      {"AU0.05", "AU0.05"}, {"EI1.05", "EI1.05"},   {"L4", "L4"}};
  for (const auto& [allophone, result] : substitute) {
    EXPECT_EQ(PhoneticEng::SubstituteAllophone(allophone), result) << allophone;
  }
}

TEST_F(PhoneticEngTest, SyllablesAndPositionMarks) {
  const auto list = Split("#,E5,B,AU0,T,_,D,AE0,D,#");
  const auto units = eng_.FindSyllables(list);
  ASSERT_EQ(units.size(), 2u);
  ASSERT_EQ(units[0].size(), 2u);
  EXPECT_EQ(units[0][0].first * 10 + units[0][0].length, 11u);
  EXPECT_EQ(units[0][1].first * 10 + units[0][1].length, 23u);  // B, AU0 and the final T
  ASSERT_EQ(units[1].size(), 1u);
  EXPECT_EQ(units[1][0].first * 10 + units[1][0].length, 63u);

  const auto marks = eng_.AssignStress(list);
  const SoundDescription firstUnit = FirstAU | Bit41 | HasPretonicSyl | NoPosttonicSyl;
  const SoundDescription pretonic = FirstSyl | Bit29 | PretonicSyl | Bit48 | Adjoining;
  const SoundDescription stressed = LastSyl | Closed | StressedSyl | Bit49;
  EXPECT_EQ(marks[0], eng_.GetSD("#"));
  EXPECT_EQ(marks[1], eng_.GetSD("E5") | pretonic | firstUnit | Pretonic);
  EXPECT_EQ(marks[2], eng_.GetSD("B") | stressed | firstUnit);
  EXPECT_EQ(marks[4], eng_.GetSD("T") | stressed | firstUnit);
  EXPECT_EQ(marks[5], eng_.GetSD("_"));
  EXPECT_EQ(marks[6], eng_.GetSD("D") | stressed | LastAU | NoPretonicSyl | NoPosttonicSyl);

  // Without a full stress every syllable counts as pretonic.
  const auto unstressed = eng_.AssignStress(Split("#,T,U1,#"));
  EXPECT_EQ(unstressed[2], eng_.GetSD("U1") | LastSyl | Open | PretonicSyl | NonAdjoining | Bit48 |
                               LastAU | NoPretonicSyl | NoPosttonicSyl);
  EXPECT_EQ(FindStressed(unstressed, 0, 3), -1);
  EXPECT_EQ(FindStressed(marks, 3, 1), -1);
  EXPECT_EQ(FindStressed(marks, 0, 9), 3);
}

TEST_F(PhoneticEngTest, NeighbourMarksOfConsonants) {
  const auto homo = eng_.AssignStress(Split("#,T,D,A0,#"));
  EXPECT_NE(homo[1] & Homoorganic, 0u);
  EXPECT_NE(homo[2] & Homoorganic, 0u);
  const auto mixed = eng_.AssignStress(Split("#,AE0,K,T,#"));
  EXPECT_EQ(mixed[2] & (Homoorganic | NonHomoorganic), NonHomoorganic);
  EXPECT_EQ(mixed[3] & (Homoorganic | NonHomoorganic), NonHomoorganic);
  const auto same = eng_.AssignStress(Split("#,S,S,A0,#"));
  EXPECT_EQ(same[1] & (SamePhoneme1 | SamePhoneme2), SamePhoneme1);
  EXPECT_EQ(same[2] & (SamePhoneme1 | SamePhoneme2), SamePhoneme2);
}

TEST_F(PhoneticEngTest, ConsonantsAreNamedByWhatFollows) {
  // end, pause, stressed and unstressed vowel, and consonant clusters
  EXPECT_EQ(Allophones("_,S,T,AA0,P,S,_"), "_,S31,T1,AA0.02,P30,S0,_");
  EXPECT_EQ(Allophones("#,AE0,N,D,#"), "#,AE0.00,N34,D4,#");
  EXPECT_EQ(Allophones("#,AE0,N,T,Y$,#"), "#,AE0.00,N32,T2,Y$.4.02,#");
  // a marker between consonant and vowel
  EXPECT_EQ(Allophones("#,T,=,AI0,#"), "#,T0,=,AI0.02,#");
  // clusters
  EXPECT_EQ(Allophones("#,ST,R,II0,T,#"), "#,ST3,R1,II0.05,T4,#");
}

TEST_F(PhoneticEngTest, ParticularConsonants) {
  EXPECT_EQ(Allophones("#,K,AE0,T,#"), "#,K'1,AE0.03,T4,#");
  EXPECT_EQ(Allophones("#,B,AE0,K,#"), "#,B-AE0.09,AE0.09,K'4,#");
  EXPECT_EQ(Allophones("#,AE0,K,T,#"), "#,AE0.00,K'34,T4,#");
  EXPECT_EQ(Allophones("#,G,I0,V,#"), "#,G'1,I0.13,V4,#");
  EXPECT_EQ(Allophones("#,F,UU0,L,#"), "#,F1,UU0.01,LU^4,#");
  EXPECT_EQ(Allophones("#,W,E0,L,_,D,UU0,N,#"), "#,W1,E0.07,L0,_,D-UU0.08,UU0.08,N4,#");
  EXPECT_EQ(Allophones("#,K,I0,NG,#"), "#,K'1,I0.03,NGI^4,#");
  EXPECT_EQ(Allophones("#,S,I0,NG,Y$,Z,#"), "#,S1,I0.02,NG2,Y$.4.13,Z4,#");
  EXPECT_EQ(Allophones("#,K,AA0,R,Y$,=,EI0,#"), "#,K1,AA0.03,RA^2,Y$.2.05,=,EI0.00,#");
  EXPECT_EQ(Allophones("#,H,AE0,M,#"), "#,H-AE0.14,AE0.14,M4,#");
}

TEST_F(PhoneticEngTest, NeutralVowelByItsSurroundings) {
  EXPECT_EQ(Allophones("#,B,E0,T,Y$,#"), "#,B-E0.09,E0.09,T2,Y$.4.02,#");
  EXPECT_EQ(Allophones("#,Y$,B,AU0,T,#"), "#,Y$.3.00,B-AU0.09,AU0.09,T4,#");
  EXPECT_EQ(Allophones("#,K,A0,M,Y$,N,Z,#"), "#,K1,A0.03,M-Y$.5.11,Y$.5.11,N34,Z4,#");
  EXPECT_EQ(Allophones("#,S,II0,Y$,#"), "#,S1,II0.02,Y$.4.00,#");
}

TEST_F(PhoneticEngTest, UnknownPhonemeLeavesNoAllophones) {
  EXPECT_TRUE(eng_.PhonemesToAllophones(Split("#,K,Q0,T,#")).empty());
  EXPECT_TRUE(eng_.PhonemesToAllophones({}).empty());
}

}  // namespace
