#include <gtest/gtest.h>

#include "foundation/string_utils.h"
#include "tools/voice_build/cross_word_rules.h"
#include "tools/voice_build/front_end.h"

namespace {

class FrontEndTest : public ::testing::Test {
 protected:
  FrontEndTest() {
    lexicon_.Add("мама", 1);
    lexicon_.Add("кот", 1);
    lexicon_.Add("идёт", 2);
    lexicon_.Add("вас", 1);
    lexicon_.Add("дома", 1);
    lexicon_.Add("дома", 2);
  }
  std::string Units(const std::string& text) {
    std::vector<std::string> all;
    for (const auto& syntagma : frontEnd_.Analyze(text)) {
      EXPECT_TRUE(syntagma.valid);
      std::vector<std::string> words;
      for (const auto& word : syntagma.words) words.push_back(JoinList(word.allophones));
      std::string joined;
      for (const auto& w : words) joined += (joined.empty() ? "" : " ") + w;
      all.push_back(joined);
    }
    std::string out;
    for (const auto& s : all) out += (out.empty() ? "" : " | ") + s;
    return out;
  }
  StressLexicon lexicon_;
  RussianFrontEnd frontEnd_{lexicon_};
};

TEST_F(FrontEndTest, WordPhonemesOfSubLanguageOne) {
  EXPECT_EQ(frontEnd_.WordPhonemes("мама", 1), "M,A0,M,A2");
  // Unstressed "о" is said as "A"; vowels before the stress get "1".
  EXPECT_EQ(frontEnd_.WordPhonemes("молоко", 5), "M,A1,L,A1,K,O0");
  EXPECT_EQ(frontEnd_.WordPhonemes("молоко", -1), "M,A1,L,A1,K,A1");
  EXPECT_EQ(frontEnd_.WordPhonemes("ъ", -1), "");
}

TEST_F(FrontEndTest, SplitsSyntagmasWordsAndStresses) {
  const auto syntagmas = SplitText("Мама, серо-карие гл+аза... Дома", lexicon_);
  ASSERT_EQ(syntagmas.size(), 3u);
  ASSERT_EQ(syntagmas[1].size(), 3u);
  EXPECT_EQ(syntagmas[0][0].letters, "мама");
  EXPECT_EQ(syntagmas[0][0].stress, 1);
  EXPECT_EQ(syntagmas[1][0].letters, "серо");
  EXPECT_EQ(syntagmas[1][0].stress, -1);
  EXPECT_EQ(syntagmas[1][2].letters, "глаза");
  EXPECT_EQ(syntagmas[1][2].stress, 2);
  // The lexicon's first reading wins.
  EXPECT_EQ(syntagmas[2][0].stress, 1);
}

TEST_F(FrontEndTest, AllophonesAsTheEngineAsksForThem) {
  EXPECT_EQ(Units("мама"), "M-A0,A0-M,M-A2,A2-M");
  // Across a word boundary a vowel takes the previous word's last sound,
  // and "и" after a hard consonant is said as "ы".
  EXPECT_EQ(Units("кот идёт"), "K-O0,O0-K,T-_ Y1-T,D'-O0,O0-D',T-#");
  // A voiceless final consonant is voiced before a voiced onset.
  EXPECT_EQ(Units("вас дома. мама"), "V-A0,A0-V,Z-_ D-O0,O0-D,M-A2,A2-M | M-A0,A0-M,M-A2,A2-M");
}

TEST(CrossWordRulesTest, FirstMatchingRuleOnly) {
  std::string a = "V,A0,S", b = "V,D,A1,L,I0";
  ApplyCrossWordRules(a, b);
  EXPECT_EQ(a, "V,A0,S");  // "в" passes on only the voicing of a matching pair
  a = "L,E0,S";
  b = "V,Z,A1,L";
  ApplyCrossWordRules(a, b);
  EXPECT_EQ(a, "L,E0,Z");
  a = "S,A0,D";
  b = "D',E0,N'";
  ApplyCrossWordRules(a, b);
  EXPECT_EQ(a, "S,A0,D");  // soft onsets do not count
  a = "K,O0,T";
  b = "I1,D',O0,T";
  ApplyCrossWordRules(a, b);
  EXPECT_EQ(b, "Y1,D',O0,T");
}

}  // namespace
