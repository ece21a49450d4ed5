#include <gtest/gtest.h>

#include <memory>

#include "foundation/string_utils.h"
#include "tools/voice_build/front_end.h"
#include "tools/voice_build/tests/text_analysis_setup.h"

namespace {

TEST(StressMarksTest, MovedBehindTheirVowel) {
  EXPECT_EQ(StressMarksAfterVowels("+Окна, гл+аза з+аногу"), "О+кна, гла+за за+ногу");
  // A mark before anything but a vowel says nothing.
  EXPECT_EQ(StressMarksAfterVowels("а+ б+в +"), "а бв ");
}

// One allophone list per word, cut as the engine cuts the phonetics' answer.
TEST(FrontEndAllophonesTest, OneListPerWord) {
  RussianFrontEnd frontEnd;
  std::vector<std::vector<std::string>> out;
  ASSERT_TRUE(frontEnd.Allophones({"M,A0,M,A2"}, out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(JoinList(out[0]), "M-A0,A0-M,M-A2,A2-M");
  ASSERT_TRUE(frontEnd.Allophones({"K,O0,T", "Y1,D',O0,T"}, out));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(JoinList(out[0]), "K-O0,O0-K,T-_");
  EXPECT_EQ(JoinList(out[1]), "Y1-T,D'-O0,O0-D',T-#");
}

class FrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!BuiltDataPresent()) GTEST_SKIP() << "no built data in " BUILT_DATA_DIR;
    ASSERT_TRUE(RegisterTextAnalysis());
    frontEnd_ = std::make_unique<RussianFrontEnd>();
    ASSERT_TRUE(frontEnd_->Ready());
  }

  // Syntagmas split by " | ", words by " ": letters=phonemes.
  std::string Phonemes(const std::string& text) {
    std::string out;
    for (const auto& syntagma : frontEnd_->Analyze(text)) {
      EXPECT_TRUE(syntagma.valid) << text;
      out += out.empty() ? "" : " | ";
      for (size_t i = 0; i < syntagma.words.size(); ++i) {
        const SpokenWord& w = syntagma.words[i];
        EXPECT_EQ(w.allophones.size(), w.phonemes.size());
        out += (i == 0 ? "" : " ") + w.letters + "=" + JoinList(w.phonemes);
      }
    }
    return out;
  }

  std::unique_ptr<RussianFrontEnd> frontEnd_;
};

TEST_F(FrontEndTest, WordsOfTheTextAnalysisWithItsJointRules) {
  // "и" after a hard consonant is said "ы"; a final consonant is voiced
  // before a voiced onset; a comma ends a syntagma.
  EXPECT_EQ(Phonemes("Кот идёт, вас дома."),
            "кот=K,O0,T идёт=Y1,D',O0,T | вас=V,A0,Z дома=D,O0,M,A2");
}

TEST_F(FrontEndTest, StressMarksAfterTheLetterOverrideTheDictionary) {
  EXPECT_EQ(Phonemes("мама"), "мама=M,A0,M,A2");
  EXPECT_EQ(Phonemes("мама+"), "мама=M,A1,M,A0");
}

TEST_F(FrontEndTest, WordSpansPointIntoTheText) {
  const auto syntagmas = frontEnd_->Analyze("Вот, гла+за");
  ASSERT_EQ(syntagmas.size(), 2u);
  ASSERT_EQ(syntagmas[1].words.size(), 1u);
  EXPECT_EQ(syntagmas[1].words[0].span.start, 5u);
  EXPECT_EQ(syntagmas[1].words[0].span.size, 6u);  // the mark inside counts
}

}  // namespace
