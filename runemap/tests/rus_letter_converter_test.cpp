#include "runemap/rus_letter_converter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runemap/devoicing.h"
#include "runemap/phoneme_features.h"

namespace {

struct StressCase {
  const char* letters;
  int32_t main;
  std::vector<int32_t> secondary;
  const char* mode0;
  const char* mode1;
};

void ExpectModesZeroAndOne(const std::vector<StressCase>& cases) {
  RusLetterConverter converter;
  for (const StressCase& t : cases) {
    std::string out = "stale";
    converter.SetMode(0);
    converter.ConvertRusWordStress(t.letters, t.main, t.secondary, out);
    EXPECT_EQ(out, t.mode0) << t.letters << " " << t.main;
    converter.SetMode(1);
    converter.ConvertRusWordStress(t.letters, t.main, t.secondary, out);
    EXPECT_EQ(out, t.mode1) << t.letters << " " << t.main;
  }
}

TEST(RusLetterConverterStress, WordsInModesZeroAndOne) {
  const std::vector<StressCase> cases = {
      {"молоко", 5, {}, "M,A2,L,A1,K,O0", "M,A1,L,A1,K,O0"},
      {"ёлка", 0, {}, "J',O0,L,K,A2", "J',O0,L,K,A2"},
      {"счастье", 2, {}, "SH',A0,S',T',J',E2", "SH',A0,S',T',J',E2"},
      {"вокзал", 4, {}, "V,A1,G,Z,A0,L", "V,A1,G,Z,A0,L"},
      {"хлеб", 2, {}, "X,L',E0,P", "X,L',E0,P"},
      {"мать", 1, {}, "M,A0,T'", "M,A0,T'"},
      {"друг", 2, {}, "D,R,U0,K", "D,R,U0,K"},
      {"сделать", 2, {}, "Z,D',E0,L,A2,T'", "Z,D',E0,L,A2,T'"},
      {"сердце", 1, {}, "S',E0,R,T,C,E2", "S',E0,R,T,C,E2"},
      {"солнце", 1, {}, "S,O0,L,N,C,E2", "S,O0,L,N,C,E2"},
      {"здравствуйте", 3, {}, "Z,D,R,A0,F,S,T,V,U2,J',T',E2", "Z,D,R,A0,F,S,T,V,U2,J',T',E2"},
      {"извозчик", 3, {}, "I1,Z,V,O0,SH',I2,K", "I1,Z,V,O0,SH',I2,K"},
      {"мужчина", 4, {}, "M,U1,SH',I0,N,A2", "M,U1,SH',I0,N,A2"},
      {"счёт", 2, {}, "SH',O0,T", "SH',O0,T"},
      {"отца", 3, {}, "A1,T,C,A0", "A1,T,C,A0"},
      {"лёгкий", 1, {}, "L',O0,X,K',I2,J'", "L',O0,X,K',I2,J'"},
      {"бантик", 1, {}, "B,A0,N',T',I2,K", "B,A0,N',T',I2,K"},
      {"ссора", 2, {}, "S,S,O0,R,A2", "S,S,O0,R,A2"},
      {"поздно", 1, {}, "P,O0,Z,N,A2", "P,O0,Z,N,A2"},
      {"молотьба", 7, {}, "M,A2,L,A1,D',B,A0", "M,A1,L,A1,D',B,A0"},
      {"просьба", 2, {}, "P,R,O0,Z',B,A2", "P,R,O0,Z',B,A2"},
      {"воробьи", 6, {}, "V,A2,R,A1,B',J',I0", "V,A1,R,A1,B',J',I0"},
      {"бельё", 4, {}, "B',E1,L',J',O0", "B',E1,L',J',O0"},
      // capitals are lowered first
      {"МОЛОКО", 5, {}, "M,A2,L,A1,K,O0", "M,A1,L,A1,K,O0"},
  };
  ExpectModesZeroAndOne(cases);
}

TEST(RusLetterConverterStress, SoftSignBeforeO) {
  const std::vector<StressCase> cases = {
      // a stressed о after ь is iotated; unstressed it is only reduced
      {"бульон", 4, {}, "B,U1,L',J',O0,N", "B,U1,L',J',O0,N"},
      {"бульон", -1, {}, "B,U2,L',A2,N", "B,U1,L',A1,N"},
  };
  ExpectModesZeroAndOne(cases);
}

TEST(RusLetterConverterStress, SecondaryStress) {
  const std::vector<StressCase> cases = {
      // an о under secondary stress keeps its quality
      {"молоко", 5, {1}, "M,O5,L,A1,K,O0", "M,O0,L,A1,K,O0"},
      {"мамама", 5, {3}, "M,A1,M,A5,M,A0", "M,A1,M,A0,M,A0"},
      // the main stress turns the last remaining "2", wherever it stands
      {"мамамама", 7, {5}, "M,A1,M,A1,M,A5,M,A0", "M,A1,M,A1,M,A0,M,A0"},
      {"мама", -1, {}, "M,A2,M,A2", "M,A1,M,A1"},
  };
  ExpectModesZeroAndOne(cases);
}

TEST(RusLetterConverterStress, ModeTwoDigitsAsModeOneWithoutGlidePass) {
  RusLetterConverter converter;
  converter.SetMode(2);
  std::string out;
  converter.ConvertRusWordStress("синий", 1, {}, out);
  EXPECT_EQ(out, "S',I0,N',I2,J'");
  converter.ConvertRusWordStress("молоко", 5, {}, out);
  EXPECT_EQ(out, "M,A1,L,A1,K,O0");
  // unknown modes write "2" for every unstressed vowel
  converter.SetMode(7);
  converter.ConvertRusWordStress("молоко", 5, {}, out);
  EXPECT_EQ(out, "M,A2,L,A2,K,O0");
}

TEST(RusLetterConverterStress, WordExceptionsAndRewrites) {
  RusLetterConverter converter;
  std::string out;
  // no reduction of о
  converter.ConvertRusWordStress("рококо", 5, {}, out);
  EXPECT_EQ(out, "R,O2,K,O1,K,O0");
  converter.ConvertRusWordStress("боа", 2, {}, out);
  EXPECT_EQ(out, "B,O1,A0");
  // "Z,N'" stays in "бизнес", not elsewhere
  converter.ConvertRusWordStress("бизнес", 1, {}, out);
  EXPECT_EQ(out, "B',I0,Z,N',E2,S");
  converter.ConvertRusWordStress("жизнь", 1, {}, out);
  EXPECT_EQ(out, "ZH,Y0,Z',N'");
  // "L,L'" stays when the word has "лъл"
  converter.ConvertRusWordStress("лъля", 3, {}, out);
  EXPECT_EQ(out, "L,L',A0");
  converter.ConvertRusWordStress("съесть", 2, {}, out);
  EXPECT_EQ(out, "S',J',E0,S',T'");
  converter.ConvertRusWordStress("сшить", 2, {}, out);
  EXPECT_EQ(out, "SH,SH,Y0,T'");
  converter.ConvertRusWordStress("сжечь", 2, {}, out);
  EXPECT_EQ(out, "ZH,ZH,E0,CH'");
  // "S,N'" is softened only on this entry point
  converter.ConvertRusWordStress("лестница", 1, {}, out);
  EXPECT_EQ(out, "L',E0,S',N',I2,C,A2");
}

TEST(RusLetterConverterStress, DevoicingOfZ) {
  RusLetterConverter converter;
  std::string out;
  converter.ConvertRusWordStress("безвкусный", 5, {}, out);
  EXPECT_EQ(out, "B',E1,S,F,K,U0,S,N,Y2,J'");
  // the phoneme after next is missing at the end of the word: Z stays
  converter.ConvertRusWordStress("подъезд", 4, {}, out);
  EXPECT_EQ(out, "P,A1,D,J',E0,Z,T");
  converter.ConvertRusWordStress("гвоздь", 2, {}, out);
  EXPECT_EQ(out, "G,V,O0,Z,T'");
}

TEST(RusLetterConverterStress, LettersWithoutPhonemes) {
  RusLetterConverter converter;
  std::string out = "stale";
  converter.ConvertRusWordStress("ъ", -1, {}, out);
  EXPECT_EQ(out, "");
  converter.ConvertRusWordStress("ь1-", -1, {}, out);
  EXPECT_EQ(out, "");
  converter.ConvertRusWordStress("", -1, {}, out);
  EXPECT_EQ(out, "");
}

struct FlagCase {
  const char* letters;
  std::vector<uint8_t> flags;
  const char* mode01;
  const char* mode2;
};

TEST(RusLetterConverterFlags, DigitsRewritesAndGlidePass) {
  constexpr uint8_t M = letter_flag::kMainStress, S = letter_flag::kSecondaryStress,
                    B = letter_flag::kBeforeStress, A = letter_flag::kAfterStress,
                    P = letter_flag::kPart;
  const std::vector<FlagCase> cases = {
      {"молоко", {0, B, 0, B, 0, M}, "M,A1,L,A1,K,O0", "M,A1,L,A1,K,O0"},
      // part flag changes nothing; no flag at all gives "2"
      {"молоко", {0, B | P, 0, P, 0, M | P}, "M,A1,L,A2,K,O0", "M,A1,L,A2,K,O0"},
      {"молоко", {0, S, 0, B, 0, M}, "M,O5,L,A1,K,O0", "M,O5,L,A1,K,O0"},
      // "S,N'" is left alone on this entry point
      {"лестница", {0, M, 0, 0, 0, A, 0, A}, "L',E0,S,N',I2,C,A2", "L',E0,S,N',I2,C,A2"},
      {"мой", {0, M, 0}, "M,O0,J'", "M,OJ'0"},
      {"моя", {0, M, A}, "M,O0,J',A2", "M,OA0"},
      {"новая", {0, M, 0, A, A}, "N,O0,V,A2,J',A2", "N,O0,V,AA2"},
      {"синий", {0, M, 0, A, 0}, "S',I0,N',I2,J'", "S',I0,N',IJ'2"},
      {"стройка", {0, 0, 0, M, 0, 0, A}, "S,T,R,O0,J',K,A2", "S,T,R,OJ'0,K,A2"},
      // a pretonic vowel before the glide is not merged
      {"моё", {0, B, M}, "M,A1,J',O0", "M,A1,J',O0"},
      {"твоего", {0, 0, B, B, 0, M}, "T,V,A1,J',E1,G,O0", "T,V,A1,J',E1,G,O0"},
      // a secondary-stressed vowel is not merged either
      {"мой", {0, S, 0}, "M,O5,J'", "M,O5,J'"},
  };
  RusLetterConverter converter;
  for (const FlagCase& t : cases) {
    std::string out;
    for (int32_t mode : {0, 1}) {
      converter.SetMode(mode);
      converter.ConvertRusWord(t.letters, t.flags, out);
      EXPECT_EQ(out, t.mode01) << t.letters << " mode " << mode;
    }
    converter.SetMode(2);
    converter.ConvertRusWord(t.letters, t.flags, out);
    EXPECT_EQ(out, t.mode2) << t.letters << " mode 2";
  }
}

TEST(RusLetterConverterFlags, LettersAreNotLowered) {
  RusLetterConverter converter;
  std::string out;
  const std::vector<uint8_t> flags = {0, letter_flag::kMainStress, 0, 0};
  converter.ConvertRusWord("МАМА", flags, out);
  EXPECT_EQ(out, "");
  converter.ConvertRusWord("мАма", flags, out);
  EXPECT_EQ(out, "M,M,A2");
}

TEST(Devoicing, LookAheadStaysInsideTheList) {
  PhonemeFeatureTable table;
  DevoicingRules rules;
  rules.zNext = [&](std::string_view n) { return table.IsConsonant(n); };
  rules.zAfterNext = [&](std::string_view n) { return table.IsVoicelessConsonant(n); };
  rules.zhNext = rules.zAfterNext;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"A2,Z,B,K", "A2,S,B,K"},   {"A2,Z,B,D", "A2,Z,B,D"},  {"A2,Z,B", "A2,Z,B"},
      {"A2,Z,", "A2,Z,"},         {"A2,Z,A2,K", "A2,Z,A2,K"}, {"A2,Z,Z,K,T", "A2,S,S,K,T"},
      {"Z,B,K", "Z,B,K"},         {"A2,ZH,K", "A2,SH,K"},    {"A2,ZH,V", "A2,ZH,V"},
      {"A2,ZH,", "A2,ZH,"},       {"A2,ZH,ZH,K", "A2,ZH,SH,K"},
  };
  for (const auto& [in, expected] : cases) {
    std::string text = in;
    DevoiceZ(text, rules);
    DevoiceZh(text, rules);
    EXPECT_EQ(text, expected) << in;
  }
}

}  // namespace
