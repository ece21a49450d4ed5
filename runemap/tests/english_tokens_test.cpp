// Token building, stress digits and silent letters of English words.
#include "runemap/english_tokens.h"

#include <gtest/gtest.h>

#include "foundation/string_utils.h"

namespace {

// The tokens of a framed word after stresses and silent letters, joined.
std::string Prepared(const std::string& framed, int32_t main, std::vector<int32_t> secondary = {}) {
  std::vector<std::string> tokens;
  EXPECT_TRUE(BuildLetterTokens(framed, tokens));
  AssignStressDigits(tokens, main, secondary);
  RemoveSilentLetters(tokens);
  return JoinList(tokens);
}

TEST(EnglishTokensTest, StressDigitsOnVowelsOnly) {
  EXPECT_EQ(Prepared("#Yesterday#", 1), "#,Y1,E0,S,T,E2,R,D,A2,Y2,#");
  EXPECT_EQ(Prepared("_abc_", -1), "_,A1,B,C,_");
  EXPECT_EQ(Prepared("#banana#", 3, {5}), "#,B,A1,N,A0,N,A5,#");
  // a secondary stress on a consonant leaves it bare
  EXPECT_EQ(Prepared("#banana#", 1, {2}), "#,B,A0,N,A2,N,A2,#");
  // a main stress on a consonant stresses no vowel and starts no part after
  // the stress, before or after a stressed vowel would be
  EXPECT_EQ(Prepared("#cat#", 0), "#,C,A1,T,#");
  EXPECT_EQ(Prepared("#Yesterday#", 2), "#,Y1,E1,S,T,E1,R,D,A1,Y1,#");
  // positions beyond the letters touch nothing
  EXPECT_EQ(Prepared("#cat#", 7, {9, 3}), "#,C,A1,T,#");
}

TEST(EnglishTokensTest, SilentWAndH) {
  EXPECT_EQ(Prepared("#write#", 2), "#,R,I0,T,E2,#");
  EXPECT_EQ(Prepared("#what#", 2), "#,W,H,A0,T,#");
  EXPECT_EQ(Prepared("#wo#", 1), "#,W,O0,#");
  // W only at the start
  EXPECT_EQ(Prepared("#awry#", 3), "#,A1,W,R,Y0,#");
  // H before a consonant goes anywhere, also several in a row
  EXPECT_EQ(Prepared("#night#", 1), "#,N,I0,G,T,#");
  EXPECT_EQ(Prepared("#HHt#", -1), "#,T,#");
  EXPECT_EQ(Prepared("#hat#", 1), "#,H,A0,T,#");
  EXPECT_EQ(Prepared("#oh#", 0), "#,O0,H,#");
  // a lone W stays
  EXPECT_EQ(Prepared("#w#", -1), "#,W,#");
}

TEST(EnglishTokensTest, OnlyLatinLetters) {
  std::vector<std::string> tokens;
  EXPECT_FALSE(BuildLetterTokens("#ca1t#", tokens));
  EXPECT_FALSE(BuildLetterTokens("#к#", tokens));
  EXPECT_FALSE(BuildLetterTokens("#c t#", tokens));
}

}  // namespace
