#include <thread>

#include "sonalik/tests/sonalik_fixture.h"

namespace {

std::string PhonemesToAllophones(const std::string& phonemes) {
  return SonalikTest::Call(&IPhonetic::PhonemesToAllophones, phonemes);
}
std::string AllophonesToPhonemes(const std::string& allophones) {
  return SonalikTest::Call(&IPhonetic::AllophonesToPhonemes, allophones);
}
std::string AllophoneToPhoneme(const std::string& allophone) {
  return SonalikTest::Call(&IPhonetic::AllophoneToPhoneme, allophone);
}
std::string BasicAllophone(const std::string& allophone) {
  return SonalikTest::Call(&IPhonetic::GetBasicAllophone, allophone);
}
std::string SubstituteAllophone(const std::string& allophone) {
  return SonalikTest::Call(&IPhonetic::GetSubstituteAllophone, allophone);
}

using SonalikAllophoneRules = SonalikTest;

TEST_F(SonalikAllophoneRules, VowelsTakeTheirLeftNeighbourConsonantsTheirRight) {
  EXPECT_EQ(PhonemesToAllophones("#,M,A0,#"), "#,M-A0,A0-M,#");
  EXPECT_EQ(PhonemesToAllophones("#,A0,#"), "#,A0-#,#");
  EXPECT_EQ(PhonemesToAllophones("#,A1,A0,#"), "#,A1-#,A0-A,#");
  EXPECT_EQ(PhonemesToAllophones("#,T',A2,M,#"), "#,T'-A2,A2-T',M-#,#");
  EXPECT_EQ(PhonemesToAllophones("#,D,A0,M,_,D,A0,#"), "#,D-A0,A0-D,M-_,_,D-A0,A0-D,#");
}

TEST_F(SonalikAllophoneRules, ConsonantKeepsConsonantContextOnlyInsideClusters) {
  EXPECT_EQ(PhonemesToAllophones("#,T,L,A0,#"), "#,T-L,L-A0,A0-L,#");
  EXPECT_EQ(PhonemesToAllophones("#,T,K,A0,#"), "#,T,K-A0,A0-K,#");
  EXPECT_EQ(PhonemesToAllophones("#,A0,T,CH',A2,#"), "#,A0-#,T-CH',CH'-A2,A2-CH',#");
  EXPECT_EQ(PhonemesToAllophones("#,A0,D,ZH,#"), "#,A0-#,D-ZH,ZH-#,#");
  // The pair is read in order: "LT" is no cluster.
  EXPECT_EQ(PhonemesToAllophones("#,A0,L,T,#"), "#,A0-#,L,T-#,#");
}

TEST_F(SonalikAllophoneRules, VowelAfterWordBoundaryTakesTheSoundBeforeIt) {
  EXPECT_EQ(PhonemesToAllophones("#,D,A0,_,A0,#"), "#,D-A0,A0-D,_,A0-A,#");
  EXPECT_EQ(PhonemesToAllophones("#,M,I2,_,I2,#"), "#,M-I2,I2-M,_,I2-I,#");
  EXPECT_EQ(PhonemesToAllophones("#,D,A0,M,_,A0,#"), "#,D-A0,A0-D,M-_,_,A0-M,#");
  // A diphthong before the boundary lends its glide.
  EXPECT_EQ(PhonemesToAllophones("#,M,AJ'0,_,A0,#"), "#,M-A0,AJ'0-4,_,A0-J',#");
}

TEST_F(SonalikAllophoneRules, DiphthongsAreNamedByTheGroupOfTheConsonantBefore) {
  EXPECT_EQ(PhonemesToAllophones("#,T',IA0,#"), "#,T'-I0,IA0-1,#");
  EXPECT_EQ(PhonemesToAllophones("#,K',IA0,#"), "#,K'-I0,IA0-2,#");
  EXPECT_EQ(PhonemesToAllophones("#,SH,UJ'2,#"), "#,SH-U2,UJ'2-3,#");
  EXPECT_EQ(PhonemesToAllophones("#,L,OE0,#"), "#,L-O0,OE0-4,#");
  EXPECT_EQ(PhonemesToAllophones("#,X,YA2,#"), "#,X-Y2,YA2-5,#");
  EXPECT_EQ(PhonemesToAllophones("#,AA0,_,EJ'2,#"), "#,AA0-5,_,EJ'2-5,#");
  // After a vowel the diphthong falls back to the vowel's base.
  EXPECT_EQ(PhonemesToAllophones("#,A1,IA0,#"), "#,A1-#,IA0-A,#");
}

TEST_F(SonalikAllophoneRules, ListsThatAreNotPhonemeListsAreRefusedUnframedOnesNot) {
  EXPECT_EQ(PhonemesToAllophones("#,_,A0,#"), kInvalidArg);
  EXPECT_EQ(PhonemesToAllophones("#,A0,_,#"), kInvalidArg);
  EXPECT_EQ(PhonemesToAllophones("#,Q,A0,#"), kInvalidArg);
  EXPECT_EQ(PhonemesToAllophones("#,#"), kInvalidArg);
  EXPECT_EQ(PhonemesToAllophones(""), kInvalidArg);
  // A list without a phrase edge at either end is converted; its ends are
  // read as edges, nothing past them.
  EXPECT_EQ(PhonemesToAllophones("M,A0,M"), "M-A0,A0-M,M-#");
  EXPECT_EQ(PhonemesToAllophones("#,M,A0"), "#,M-A0,A0-M");
  EXPECT_EQ(PhonemesToAllophones("A0,M,#"), "A0-#,M-#,#");
  EXPECT_EQ(PhonemesToAllophones("M,A0"), kInvalidArg);
  // Empty elements are skipped, not read as names.
  EXPECT_EQ(PhonemesToAllophones(",#,,M,A0,,#,"), "#,M-A0,A0-M,#");

  LPSTR out = nullptr;
  EXPECT_EQ(Phonetic()->PhonemesToAllophones(nullptr, &out), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->PhonemesToAllophones(In("#,A0,#"), nullptr), E_INVALIDARG);
}

TEST_F(SonalikAllophoneRules, AllophonesGoBackToTheirPhonemes) {
  EXPECT_EQ(AllophonesToPhonemes("#,A0-#,#"), "#,A0,#");
  EXPECT_EQ(AllophonesToPhonemes("#,T,K-A0,A0-K,_,IA0-1,#"), "#,T,K,A0,_,IA0,#");
  EXPECT_EQ(AllophonesToPhonemes("A0-#"), kInvalidArg);
  EXPECT_EQ(AllophonesToPhonemes("#,A0-#"), kInvalidArg);
  EXPECT_EQ(AllophonesToPhonemes("#,#"), kInvalidArg);
  EXPECT_EQ(AllophonesToPhonemes("_,A0-#,#"), kInvalidArg);

  EXPECT_EQ(AllophoneToPhoneme("I2-K'"), "I2");
  EXPECT_EQ(AllophoneToPhoneme("CH'-A0"), "CH'");
  EXPECT_EQ(AllophoneToPhoneme("A0-#"), "A0");
  EXPECT_EQ(AllophoneToPhoneme("M"), "M");
  EXPECT_EQ(AllophoneToPhoneme("_"), "_");
  EXPECT_EQ(AllophoneToPhoneme("#"), "#");
}

TEST_F(SonalikAllophoneRules, BasicAllophoneIsTheStressedVowel) {
  EXPECT_EQ(BasicAllophone("A2-M"), "A0-M");
  EXPECT_EQ(BasicAllophone("U5-#"), "U0-#");
  EXPECT_EQ(BasicAllophone("IA2-1"), "IA0-1");
  EXPECT_EQ(BasicAllophone("AJ'2-4"), "AJ'0-4");
  EXPECT_EQ(BasicAllophone("M-A2"), "M-A2");
  EXPECT_EQ(BasicAllophone("#"), "#");
}

TEST_F(SonalikAllophoneRules, SubstitutesForMissingUnits) {
  EXPECT_EQ(SubstituteAllophone("A5-T'"), "A0-T'");
  EXPECT_EQ(SubstituteAllophone("O5"), "O0");
  EXPECT_EQ(SubstituteAllophone("I2-M"), "I2-K'");
  EXPECT_EQ(SubstituteAllophone("A1-T"), "A1-#");
  EXPECT_EQ(SubstituteAllophone("O0-L"), "O0-#");
  EXPECT_EQ(SubstituteAllophone("Y0-M"), "Y0-K");
  EXPECT_EQ(SubstituteAllophone("U2-P"), "U2-K");
  EXPECT_EQ(SubstituteAllophone("E2-T"), "E2-C");
  EXPECT_EQ(SubstituteAllophone("Y2-P"), "Y2-T");
  EXPECT_EQ(SubstituteAllophone("E5-J'"), "E0-J'");
  EXPECT_EQ(SubstituteAllophone("M-A0"), "M");
  EXPECT_EQ(SubstituteAllophone("T"), "T");
  EXPECT_EQ(SubstituteAllophone("T-A5"), "T-A0");
}

TEST_F(SonalikAllophoneRules, TwoThreadsConvertOnOneObjectAtOnce) {
  const std::string first = "#,M,A0,M,A2,_,T,L,A0,#";
  const std::string second = "#,K,O0,T,_,SH,UJ'2,#";
  int firstWrong = 0;
  int secondWrong = 0;
  std::thread other([&] {
    for (int i = 0; i < 2000; ++i) {
      LPSTR out = nullptr;
      Phonetic()->PhonemesToAllophones(In(second), &out);
      if (!out || std::string(out) != "#,K-O0,O0-K,T-_,_,SH-U2,UJ'2-3,#") ++secondWrong;
      CoTaskMemFree(out);
    }
  });
  for (int i = 0; i < 2000; ++i) {
    LPSTR out = nullptr;
    Phonetic()->PhonemesToAllophones(In(first), &out);
    if (!out || std::string(out) != "#,M-A0,A0-M,M-A2,A2-M,_,T-L,L-A0,A0-L,#") ++firstWrong;
    CoTaskMemFree(out);
  }
  other.join();
  EXPECT_EQ(firstWrong, 0);
  EXPECT_EQ(secondWrong, 0);
}

}  // namespace
