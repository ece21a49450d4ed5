#include "sonalik/tests/sonalik_fixture.h"

namespace {

using SonalikLetterConversion = SonalikTest;

std::string LettersToPhonemes(const std::string& letters) {
  return SonalikTest::Call(&IPhonetic::LettersToPhonemes, letters);
}

struct Converted {
  HRESULT hr;
  std::string allophones;
  std::string phonemes;
};

Converted LettersToAllophones(const std::string& letters) {
  LPSTR allophones = nullptr;
  LPSTR phonemes = nullptr;
  HRESULT hr = SonalikTest::Phonetic()->LettersToAllophones(In(letters), &allophones, &phonemes);
  return {hr, SonalikTest::Take(hr, allophones), SonalikTest::Take(hr, phonemes)};
}

TEST_F(SonalikLetterConversion, StressMarksGiveFramedPhonemeLists) {
  EXPECT_EQ(LettersToPhonemes("ма+ма"), "#,M,A0,M,A2,#");
  EXPECT_EQ(LettersToPhonemes("мама"), "#,M,A1,M,A1,#");
  EXPECT_EQ(LettersToPhonemes("ма+ма мы+ла"), "#,M,A0,M,A2,_,M,Y0,L,A2,#");
  // Misplaced marks give nothing at all.
  EXPECT_EQ(LettersToPhonemes("+ма"), "");
  EXPECT_EQ(LettersToPhonemes("м+а"), "");
  EXPECT_EQ(LettersToPhonemes("ма+ма+"), "");
}

TEST_F(SonalikLetterConversion, LettersToAllophonesRunsTheRulesOnTheList) {
  const Converted mama = LettersToAllophones("ма+ма");
  EXPECT_EQ(mama.hr, S_OK);
  EXPECT_EQ(mama.allophones, "#,M-A0,A0-M,M-A2,A2-M,#");
  EXPECT_EQ(mama.phonemes, "#,M,A0,M,A2,#");

  // Unreduced "о" is outside the inventory: no rule names it or the
  // consonant before it.
  const Converted gorod = LettersToAllophones("горо+д");
  EXPECT_EQ(gorod.phonemes, "#,G,O1,R,O0,T,#");
  EXPECT_EQ(gorod.allophones, "#,,,R-O0,O0-R,T-#,#");

  const Converted misplaced = LettersToAllophones("+ма");
  EXPECT_EQ(misplaced.hr, S_OK);
  EXPECT_EQ(misplaced.allophones, "");
  EXPECT_EQ(misplaced.phonemes, "");

  LPSTR allophones = nullptr;
  ASSERT_EQ(Phonetic()->LettersToAllophones(In("ма+ма"), &allophones, nullptr), S_OK);
  EXPECT_EQ(Take(S_OK, allophones), "#,M-A0,A0-M,M-A2,A2-M,#");
}

TEST_F(SonalikLetterConversion, NullArgumentsAreRefused) {
  LPSTR out = nullptr;
  EXPECT_EQ(Phonetic()->LettersToPhonemes(nullptr, &out), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->LettersToPhonemes(In("ма"), nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->LettersToAllophones(nullptr, &out, &out), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->LettersToAllophones(In("ма"), nullptr, &out), E_INVALIDARG);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
