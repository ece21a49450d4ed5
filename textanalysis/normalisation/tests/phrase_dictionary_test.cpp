#include <gtest/gtest.h>

#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/normaliser.h"
#include "textanalysis/normalisation/tests/test_tokens.h"

namespace {

class PhraseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    normaliser_.SetPhraseCharSet(TokenGroups());
    ASSERT_TRUE(normaliser_.LoadPhrases({
        "|#",
        "т.е.|то есть",
        "и т.д.|и так далее",
        "и|союз и|RIGHT_CAPITAL",
        "г.|году|LEFT_NUMBER",
        "г.|город|RIGHT_CAPITAL",
        "с.|страница|RIGHT_NUMBER",
        "США|сэ шэ а+|PRESERVE_CASE",
        "тыс|тысяч|LEFT_NUMBER|LEFT_LOWER",
        "ок|около|RIGHT_CAPITAL|RIGHT_LOWER",
        "одно поле",
        "ул.|улица ## комментарий",
        "  |пусто",
        "руб.|рубль|LEFT_NUMBER|LEFT_ONE",
        "руб.|рубля|LEFT_NUMBER|LEFT_FEW",
        "руб.|рублей|LEFT_NUMBER",
        "°C|гра+дус Це+льсия|LEFT_ONE|PRESERVE_CASE",
        "°C|гра+дусов Це+льсия|PRESERVE_CASE",
    }));
    ASSERT_EQ(processor_.Init(&resources_), 1);
  }
  Normaliser normaliser_;
  LinguisticResources resources_{&normaliser_};
  PhraseProcessor processor_;
};

TEST_F(PhraseTest, LoadRejectsABadFirstLine) {
  PhraseDictionary dictionary;
  EXPECT_FALSE(dictionary.Load({}));
  EXPECT_FALSE(dictionary.Load({"|##"}));
  EXPECT_TRUE(dictionary.Load({"|#"}));
}

TEST_F(PhraseTest, LongestRunWinsAndFallsBack) {
  EXPECT_EQ(Said(processor_, "он и т.д. всё"), "<none>");
  EXPECT_EQ(Said(processor_, "он и т.д. всё", 1), "и так далее");
  std::vector<TextToken> tokens = Tokens("он и т.д. всё");
  EXPECT_EQ(RunProcessor(processor_, tokens, 1).consumed, 5);
  // "и" alone needs a capital after it.
  EXPECT_EQ(Said(processor_, "он и т.е. всё", 1), "<none>");
  EXPECT_EQ(Said(processor_, "он и Т.е. всё", 1), "союз и");
  EXPECT_EQ(Said(processor_, "он и т.е. всё", 2), "то есть");
}

TEST_F(PhraseTest, NeighbourConditions) {
  EXPECT_EQ(Said(processor_, "в 1999 г. он", 2), "году");
  EXPECT_EQ(Said(processor_, "г. Москва", 0), "город");
  EXPECT_EQ(Said(processor_, "этот г. москва", 1), "<none>");
  EXPECT_EQ(Said(processor_, "с. 5", 0), "страница");
  EXPECT_EQ(Said(processor_, "см с.", 1), "<none>");  // nothing after it
  EXPECT_EQ(Said(processor_, "5 тыс", 1), "<none>");  // contradictory masks were dropped
  EXPECT_EQ(Said(processor_, "ок Да", 0), "<none>");
}

// A counted word agrees with the number before it; the first entry that
// fits wins, so the many form comes last.
TEST_F(PhraseTest, PluralConditions) {
  EXPECT_EQ(Said(processor_, "1 руб.", 1), "рубль.");
  EXPECT_EQ(Said(processor_, "21 руб. за", 1), "рубль");
  EXPECT_EQ(Said(processor_, "3 руб. за", 1), "рубля");
  EXPECT_EQ(Said(processor_, "104 руб. за", 1), "рубля");
  EXPECT_EQ(Said(processor_, "11 руб. за", 1), "рублей");
  EXPECT_EQ(Said(processor_, "12 руб. за", 1), "рублей");
  EXPECT_EQ(Said(processor_, "5 руб. за", 1), "рублей");
  // After a decimal fraction the genitive singular: "семьдесят пять целых
  // пять десятых рубля".
  EXPECT_EQ(Said(processor_, "75,5 руб. за", 3), "рубля");
  EXPECT_EQ(Said(processor_, "75, 5 руб. за", 3), "рублей");
  // After a number in the genitive, the genitive: "до трёх рублей", "более
  // одного рубля".
  EXPECT_EQ(Said(processor_, "до 3 руб. за", 2), "рублей");
  EXPECT_EQ(Said(processor_, "Более 1 руб. за", 2), "рубля");
  EXPECT_EQ(Said(processor_, "на 3 руб. за", 2), "рубля");
  EXPECT_EQ(Said(processor_, "два руб. за", 1), "<none>");  // a number token is needed
  EXPECT_EQ(Said(processor_, "1 °C", 1), "гра+дус Це+льсия");
  EXPECT_EQ(Said(processor_, "2 °C", 1), "гра+дусов Це+льсия");
  EXPECT_EQ(Said(processor_, "°C", 0), "гра+дусов Це+льсия");
  std::vector<TextToken> tokens = Tokens("1 °C");
  EXPECT_EQ(RunProcessor(processor_, tokens, 1).consumed, 2);
}

TEST_F(PhraseTest, CaseVariants) {
  EXPECT_EQ(Said(processor_, "Т.е. так"), "то есть");
  EXPECT_EQ(Said(processor_, "Т.Е. так"), "<none>");
  EXPECT_EQ(Said(processor_, "США"), "сэ шэ а+");
  EXPECT_EQ(Said(processor_, "сша"), "<none>");
  EXPECT_EQ(Said(processor_, "Сша"), "<none>");
  EXPECT_EQ(Said(processor_, "ул. Мира"), "улица #");
  EXPECT_EQ(Said(processor_, "одно поле"), "<none>");
}

TEST_F(PhraseTest, FinalFullStopAndSpan) {
  std::vector<TextToken> tokens = Tokens("и т.д.");
  const ProcessResult r = RunProcessor(processor_, tokens, 0);
  ASSERT_EQ(r.result, TextProcessor::kHandled);
  EXPECT_EQ(r.Text(), "и так далее.");
  EXPECT_EQ(r.out[0].position.start, 0u);
  EXPECT_EQ(r.out[0].position.size, 6u);
}

TEST_F(PhraseTest, LookupForTheSplitter) {
  const AbbreviationLookup& lookup = *normaliser_.Abbreviations();
  std::vector<TextToken> tokens = Tokens("с. 5");
  int last = -1;
  bool right = false;
  ASSERT_TRUE(lookup.Match(tokens, 0, 0, last, right));
  EXPECT_EQ(last, 1);
  EXPECT_TRUE(right);
  tokens = Tokens("т.е. так");
  ASSERT_TRUE(lookup.Match(tokens, 0, 0, last, right));
  EXPECT_EQ(last, 3);
  EXPECT_FALSE(right);
  EXPECT_FALSE(lookup.Match(tokens, 4, 0, last, right));
}

}  // namespace
