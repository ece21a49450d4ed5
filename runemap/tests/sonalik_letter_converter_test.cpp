#include "runemap/sonalik_letter_converter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// The consonants of the phonetics server's sound inventory.
bool IsInventoryConsonant(std::string_view name) {
  static const std::set<std::string, std::less<>> kConsonants = {
      "B",  "D",  "G",  "B'", "D'", "G'", "P",  "T",   "K",  "P'", "T'", "K'",
      "M",  "N",  "L",  "M'", "N'", "L'", "V",  "V'",  "Z",  "ZH", "Z'", "R",
      "R'", "J'", "F",  "S",  "SH", "X",  "F'", "S'",  "SH'", "X'", "C", "CH'"};
  return kConsonants.find(name) != kConsonants.end();
}

struct TextCase {
  const char* text;
  const char* phonemes;
};

class SonalikLetterConverterTest : public ::testing::Test {
 protected:
  void ExpectAll(const std::vector<TextCase>& cases) {
    for (const TextCase& t : cases) EXPECT_EQ(converter_.Convert(t.text), t.phonemes) << t.text;
  }

  SonalikLetterConverter converter_{IsInventoryConsonant};
};

TEST_F(SonalikLetterConverterTest, StressMarksAndDigits) {
  ExpectAll({
      {"ма+ма", "#,M,A0,M,A2,#"},
      {"мама", "#,M,A1,M,A1,#"},
      {"мо-ло+ко", "#,M,O5,L,O0,K,O2,#"},
      // the main stress is counted per word
      {"ма+ма мы+ла", "#,M,A0,M,A2,_,M,Y0,L,A2,#"},
      {"", "#,#"},
  });
}

TEST_F(SonalikLetterConverterTest, MisplacedMarksGiveEmptyResult) {
  for (const char* text : {"+ма", "м+а", "ма+ма+", "ма-+", "ма+-", "-ма", "м-а", "МА+",
                           "ма +ма", "гор+од"})
    EXPECT_EQ(converter_.Convert(text), "") << text;
  // a second main stress in another word is fine
  EXPECT_EQ(converter_.Convert("а+ а+"), "#,A0,_,A0,#");
}

TEST_F(SonalikLetterConverterTest, VowelsWithoutReduction) {
  ExpectAll({
      {"горо+д", "#,G,O1,R,O0,T,#"},
      {"я", "#,J',A1,#"},
      {"а я", "#,A1,_,A1,#"},
      {"бульо+н", "#,B,U1,L',O0,N,#"},
      {"жи+ть", "#,ZH,Y0,T',#"},
      // capitals belong to no class and yield nothing
      {"Ма+ма", "#,A0,M,A2,#"},
  });
}

TEST_F(SonalikLetterConverterTest, NeighboursRunAcrossBlanks) {
  ExpectAll({
      {"дуб дома", "#,D,U1,B,_,D,O1,M,A1,#"},
      {"дробь", "#,D,R,O1,P',#"},
      {"дробь да", "#,D,R,O1,B',_,D,A1,#"},
      // no rewrite across a word boundary
      {"вас се+ли", "#,V,A1,S,_,S',E0,L',I2,#"},
  });
}

TEST_F(SonalikLetterConverterTest, RewritesAndDevoicing) {
  ExpectAll({
      {"зд", "#,S,T,#"},
      {"гвоздь", "#,G,V,O1,S,T',#"},
      {"безвку+сный", "#,B',E1,S,F,K,U0,S,N,Y2,J',#"},
      {"жва", "#,SH,V,A1,#"},
      // every word gets the "L,L'" rewrite; "Z,N'" is not rewritten, and a Z
      // before a final consonant is devoiced
      {"лъля", "#,L',L',A1,#"},
      {"жизнь", "#,ZH,Y1,S,N',#"},
      {"лестница", "#,L',E1,S,N',I1,C,A1,#"},
      {"сча+стье", "#,SH',A0,S',T',J',E2,#"},
      {"изво+зчик", "#,I1,Z,V,O0,SH',I2,K,#"},
  });
}

}  // namespace
