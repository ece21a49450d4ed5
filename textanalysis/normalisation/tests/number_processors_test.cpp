#include <gtest/gtest.h>

#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/normaliser.h"
#include "textanalysis/normalisation/tests/test_tokens.h"

namespace {

TEST(RomanNumeralProcessorTest, RewritesTheTokenAndDeclines) {
  RomanNumeralProcessor p;
  std::vector<TextToken> tokens = Tokens("XIX век");
  const ProcessResult r = RunProcessor(p, tokens, 0);
  EXPECT_EQ(r.result, TextProcessor::kNotApplicable);
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(tokens[0].text, "19");
  EXPECT_TRUE(tokens[0].IsNumber());
  EXPECT_FALSE(tokens[0].IsLatinWord());
  for (const char* text : {"I", "V", "XL", "IIII", "xix"}) {
    std::vector<TextToken> other = Tokens(text);
    RunProcessor(p, other, 0);
    EXPECT_EQ(other[0].text, text);
  }
  // Before a century abbreviation "I" and "V" are numerals too.
  for (const char* text : {"I в.", "V вв. до"}) {
    std::vector<TextToken> century = Tokens(text);
    RunProcessor(p, century, 0);
    EXPECT_TRUE(century[0].IsNumber()) << text;
  }
  std::vector<TextToken> letter = Tokens("V в");
  RunProcessor(p, letter, 0);
  EXPECT_EQ(letter[0].text, "V");
  std::vector<TextToken> last = Tokens("XXXIX");
  RunProcessor(p, last, 0);
  EXPECT_EQ(last[0].text, "39");
}

TEST(OrdinalNumberProcessorTest, ReadsWrittenEndings) {
  OrdinalNumberProcessor p;
  EXPECT_EQ(Said(p, "21-й"), "двадцать первый");
  EXPECT_EQ(Said(p, "3-е"), "третье");
  EXPECT_EQ(Said(p, "100-й"), "сотый");
  EXPECT_EQ(Said(p, "2000-й"), "двухтысячный");
  EXPECT_EQ(Said(p, "40-й"), "сороковой");
  EXPECT_EQ(Said(p, "140-й"), "сто сороковой");
  EXPECT_EQ(Said(p, "90-й"), "девяностый");
  EXPECT_EQ(Said(p, "12-е"), "двенадцатое");
  EXPECT_EQ(Said(p, "1990-е"), "тысяча девятьсот девяностые");
  EXPECT_EQ(Said(p, "33-я"), "тридцать третья");
  EXPECT_EQ(Said(p, "на 3-м", 1), "третьем");
  EXPECT_EQ(Said(p, "стал 2-м", 1), "вторым");
  EXPECT_EQ(Said(p, "в 2000-м", 1), "двухтысячном");
  EXPECT_EQ(Said(p, "5-го"), "пятого");
  EXPECT_EQ(Said(p, "43-го"), "сорок третьего");
  EXPECT_EQ(Said(p, "120-м"), "сто двадцатым");
  EXPECT_EQ(Said(p, "7ми"), "седьмыми");
  EXPECT_EQ(Said(p, "0-й"), "нулевой");
  EXPECT_EQ(Said(p, "2000000-х"), "два миллионных");
}

TEST(OrdinalNumberProcessorTest, CardinalAgreementAndRefusals) {
  OrdinalNumberProcessor p;
  EXPECT_EQ(Said(p, "1-а"), "одна");
  EXPECT_EQ(Said(p, "21-о"), "двадцать одно");
  // "-е" after 2 is the ordinal's ending as after any other number.
  EXPECT_EQ(Said(p, "2-е"), "второе");
  EXPECT_EQ(Said(p, "22-е"), "двадцать второе");
  EXPECT_EQ(Said(p, "11-а"), "<none>");
  EXPECT_EQ(Said(p, "5 -й"), "<none>");
  EXPECT_EQ(Said(p, "5- й"), "<none>");
  EXPECT_EQ(Said(p, "5-ку"), "<none>");
  EXPECT_EQ(Said(p, "5-"), "<none>");
  EXPECT_EQ(Said(p, "1000000000000-й"), "<none>");
  std::vector<TextToken> tokens = Tokens("на 21-й день");
  const ProcessResult r = RunProcessor(p, tokens, 1);
  EXPECT_EQ(r.consumed, 3);
  ASSERT_EQ(r.out.size(), 1u);
  EXPECT_EQ(r.out[0].position.start, 3u);
  EXPECT_EQ(r.out[0].position.size, 4u);
  EXPECT_EQ(r.out[0].flags, TextToken::kSpaceBefore | TextToken::kSpaceAfter);
}

TEST(CurrencyProcessorTest, DollarsAndCents) {
  CurrencyProcessor p;
  EXPECT_EQ(Said(p, "$21"), "двадцать один доллар");
  EXPECT_EQ(Said(p, "$3.50"), "три доллара пятьдесят центов");
  EXPECT_EQ(Said(p, "5.05$"), "пять долларов пять центов");
  EXPECT_EQ(Said(p, "11$"), "одиннадцать долларов");
  EXPECT_EQ(Said(p, "$0.01"), "один цент");
  EXPECT_EQ(Said(p, "$00.00"), "ноль долларов");
  EXPECT_EQ(Said(p, "$7.125"), "семь долларов");
  EXPECT_EQ(Said(p, "$ 12"), "двенадцать долларов");
  EXPECT_EQ(Said(p, "5 . 05$"), "<none>");
  EXPECT_EQ(Said(p, "$"), "<none>");
  std::vector<TextToken> tokens = Tokens("$3.50");
  const ProcessResult r = RunProcessor(p, tokens, 0);
  EXPECT_EQ(r.consumed, 4);
  EXPECT_EQ(r.out[0].flags, TextToken::kRussianWord);
  EXPECT_EQ(r.out[0].position.size, 5u);
}

class CardinalNumberProcessorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    normaliser_.LoadNumberForms({"(жен:числ:им:ед)", "один одна", "@", "(муж:прил:предл:ед)",
                                 "один первом", "девять девятом", "пять пятом", "восемнадцать восемнадцатом",
                                 "@", "(муж:прил:род:ед)", "пять пятого", "@",
                                 "(муж:прил:предл:мн)", "восемнадцать восемнадцатых", "@",
                                 "(муж:числ:род:мн)", "пять пяти", "@", "(муж:прил:дат:ед)",
                                 "пять пятому", "@", "(муж:прил:вин:ед)", "пять пятый", "@"});
    normaliser_.LoadDictionaryForms(
        {"году:муж:прил:предл:ед", "г:муж:прил:род:ед", "г:муж:прил:предл:ед",
         "кг:муж:числ:род:ед"});
    ASSERT_EQ(processor_.Init(&resources_), 1);
  }
  Normaliser normaliser_;
  LinguisticResources resources_{&normaliser_};
  CardinalNumberProcessor processor_;
};

TEST_F(CardinalNumberProcessorTest, WholeAndDecimalNumbers) {
  EXPECT_EQ(Said(processor_, "21000"), "двадцать одна тысяча");
  EXPECT_EQ(Said(processor_, "007"), "ноль ноль семь");
  EXPECT_EQ(Said(processor_, "3,05"), "три целых пять сотых");
  EXPECT_EQ(Said(processor_, "3.14 м"), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "3.14"), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "2.71828"),
            "две целых семьдесят одна тысяча восемьсот двадцать восемь стотысячных");
  EXPECT_EQ(Said(processor_, "0,1"), "ноль целых одна десятая");
  EXPECT_EQ(Said(processor_, "21,001"), "двадцать одна целая одна тысячная");
  EXPECT_EQ(Said(processor_, "1,5 кг"), "полтора");
  EXPECT_EQ(Said(processor_, "1,5"), "одна целая пять десятых");
  // Only a noun is counted: "коэффициент 1,5 был", "на 1,5 и".
  EXPECT_EQ(Said(processor_, "1,5 был"), "одна целая пять десятых");
  EXPECT_EQ(Said(processor_, "1,5 и"), "одна целая пять десятых");
  // Past millionths no word names the fraction: its digits one by one.
  EXPECT_EQ(Said(processor_, "1,1234567"), "один один два три четыре пять шесть семь");
  EXPECT_EQ(Said(processor_, "1.2.3"), "один");
  EXPECT_EQ(Said(processor_, "1,2.3"), "одна целая две десятых");
  // The sentence's own stop after the fraction, at the end, before a blank
  // or a line end; a comma the same way.
  EXPECT_EQ(Said(processor_, "3.14."), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "3.14. Дальше"), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "3.14.\nДальше"), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "3,14, 2"), "три целых четырнадцать сотых");
  EXPECT_EQ(Said(processor_, "1.2.3."), "один");
  EXPECT_EQ(Said(processor_, "слово"), "<none>");
  std::vector<TextToken> tokens = Tokens("1.2.3");
  EXPECT_EQ(RunProcessor(processor_, tokens, 0).consumed, 1);
  tokens = Tokens("x 3,05 y");
  const ProcessResult r = RunProcessor(processor_, tokens, 1);
  EXPECT_EQ(r.consumed, 3);
  EXPECT_EQ(r.out[0].position.start, 2u);
  EXPECT_EQ(r.out[0].position.size, 4u);
}

// Groups of three digits typeset apart with one blank or a no-break space
// make one number; other runs of numbers stay apart.
TEST_F(CardinalNumberProcessorTest, DigitGroups) {
  EXPECT_EQ(Said(processor_, "50 000"), "пятьдесят тысяч");
  EXPECT_EQ(Said(processor_, "1 000 000."), "миллион");
  EXPECT_EQ(Said(processor_, "146\xA0" "447\xA0" "424"),
            "сто сорок шесть миллионов четыреста сорок семь тысяч четыреста двадцать четыре");
  EXPECT_EQ(Said(processor_, "5 10"), "пять");
  EXPECT_EQ(Said(processor_, "1998 000"), "тысяча девятьсот девяносто восемь");
  EXPECT_EQ(Said(processor_, "50  000"), "пятьдесят");
  EXPECT_EQ(Said(processor_, "50\n000"), "пятьдесят");
  EXPECT_EQ(Said(processor_, "50\xA0\xA0" "000"), "пятьдесят");
  EXPECT_EQ(Said(processor_, "8 800 555 35 35"), "восемь");
  EXPECT_EQ(Said(processor_, "8 800 555 35 35", 1), "восемьсот");
  EXPECT_EQ(Said(processor_, "1 000,5"), "один");
  EXPECT_EQ(Said(processor_, "10 000-й"), "десять");
  std::vector<TextToken> tokens = Tokens("x 10 000 000 y");
  ProcessResult r = RunProcessor(processor_, tokens, 1);
  EXPECT_EQ(r.Text(), "десять миллионов");
  EXPECT_EQ(r.consumed, 3);
  EXPECT_EQ(r.out[0].position.start, 2u);
  EXPECT_EQ(r.out[0].position.size, 10u);
  EXPECT_EQ(r.out[0].flags, TextToken::kSpaceBefore | TextToken::kSpaceAfter);
  tokens = Tokens("x 50\xA0" "000 y");
  r = RunProcessor(processor_, tokens, 1);
  EXPECT_EQ(r.consumed, 3);
  EXPECT_EQ(r.out[0].position.start, 2u);
  EXPECT_EQ(r.out[0].position.size, 6u);
}

TEST_F(CardinalNumberProcessorTest, Signs) {
  EXPECT_EQ(Said(processor_, "t -5", 1), "минус");
  EXPECT_EQ(Said(processor_, "t +5", 1), "плюс");
  EXPECT_EQ(Said(processor_, "t - 5", 1), "<none>");
  EXPECT_EQ(Said(processor_, "t-5", 1), "<none>");
  EXPECT_EQ(Said(processor_, "t -", 1), "<none>");
}

// A "-" between numbers: a range written tight, a dash (no sign) with blanks
// around it.
TEST_F(CardinalNumberProcessorTest, DashBetweenNumbers) {
  EXPECT_EQ(Said(processor_, "10 - 3", 1), "<none>");
  std::vector<TextToken> tokens = Tokens("2-3 дня");
  const ProcessResult r = RunProcessor(processor_, tokens, 1);
  ASSERT_EQ(r.result, TextProcessor::kHandled);
  EXPECT_EQ(r.consumed, 1);
  EXPECT_EQ(r.Text(), "");
  EXPECT_EQ(r.out[0].position.start, 1u);
  EXPECT_EQ(r.out[0].position.size, 1u);
  EXPECT_EQ(Said(processor_, "10 -3", 1), "минус");     // a sign
  EXPECT_EQ(Said(processor_, "10- 3", 1), "<none>");
  EXPECT_EQ(Said(processor_, "так - 3", 1), "<none>");
  EXPECT_EQ(Said(processor_, "10 - так", 1), "<none>");
  EXPECT_EQ(Said(processor_, "-3", 0), "<none>");
}

TEST_F(CardinalNumberProcessorTest, AgreesWithContext) {
  EXPECT_EQ(Said(processor_, "в 1999 году", 1), "тысяча девятьсот девяносто девятом");
  // A year with no noun after "в" is still ordered; another number counts.
  EXPECT_EQ(Said(processor_, "в 1999", 1), "тысяча девятьсот девяносто девятом");
  EXPECT_EQ(Said(processor_, "в 21", 1), "двадцать один");
  EXPECT_EQ(Said(processor_, "более 5", 1), "пяти");
  EXPECT_EQ(Said(processor_, "более 1", 1), "один");
  // A Roman numeral after a name orders: "при Иване IX".
  std::vector<TextToken> tokens = Tokens("при Иване IX");
  RomanNumeralProcessor roman;
  RunProcessor(roman, tokens, 2);
  EXPECT_EQ(RunProcessor(processor_, tokens, 2).Text(), "девятом");
  tokens = Tokens("в IX в.");
  RunProcessor(roman, tokens, 1);
  EXPECT_EQ(RunProcessor(processor_, tokens, 1).Text(), "девятом ве+ке.");
  // A year or century abbreviation is said in the ordinal's case.
  tokens = Tokens("до V в. н. э.");
  RunProcessor(roman, tokens, 1);
  const ProcessResult century = RunProcessor(processor_, tokens, 1);
  EXPECT_EQ(century.Text(), "пятого ве+ка");
  EXPECT_EQ(century.consumed, 3);
  EXPECT_EQ(Said(processor_, "в 18 в. жил", 1), "восемнадцатом ве+ке");
  EXPECT_EQ(Said(processor_, "в 18 вв. жили", 1), "восемнадцатых века+х");
  EXPECT_EQ(Said(processor_, "мая 1945 г. была", 1), "тысяча девятьсот сорок пятого го+да");
  EXPECT_EQ(Said(processor_, "в 1945 г. была", 1), "тысяча девятьсот сорок пятом году+");
  EXPECT_EQ(Said(processor_, "к 1945 г. была", 1), "тысяча девятьсот сорок пятому го+ду");
  EXPECT_EQ(Said(processor_, "по 1945 г. была", 1), "тысяча девятьсот сорок пятый год");
  EXPECT_EQ(Said(processor_, "220 в.", 0), "двести двадцать");
  processor_.OnTag({"Context=gender_feminine"});
  EXPECT_EQ(Said(processor_, "1"), "одна");
  EXPECT_EQ(Said(processor_, "в 21", 1), "двадцать одна");
  processor_.OnTag({"About"});
  EXPECT_EQ(Said(processor_, "1"), "один");
}

// Times, fractions and dates, tight around their marks; in the genitive
// after "до", "от".
TEST_F(CardinalNumberProcessorTest, TimesFractionsAndDates) {
  EXPECT_EQ(Said(processor_, "12.05.2023"), "двенадцатое мая две тысячи двадцать третьего года");
  EXPECT_EQ(Said(processor_, "от 03.01.2000", 1), "третьего января двухтысячного года");
  EXPECT_EQ(Said(processor_, "32.01.2000"), "тридцать два");
  EXPECT_EQ(Said(processor_, "12.13.2000"), "двенадцать");
  EXPECT_EQ(Said(processor_, "12. 05.2023"), "двенадцать");
  EXPECT_EQ(Said(processor_, "10:30"), "десять тридцать");
  EXPECT_EQ(Said(processor_, "7:05"), "семь ноль пять");
  EXPECT_EQ(Said(processor_, "21:00"), "двадцать один ноль ноль");
  EXPECT_EQ(Said(processor_, "до 5:30", 1), "пяти тридцать");
  EXPECT_EQ(Said(processor_, "25:10"), "двадцать пять");
  EXPECT_EQ(Said(processor_, "10:3"), "десять");
  EXPECT_EQ(Said(processor_, "1:20:30"), "один");
  EXPECT_EQ(Said(processor_, "1/2"), "одна вторая");
  EXPECT_EQ(Said(processor_, "3/4"), "три четвёртых");
  EXPECT_EQ(Said(processor_, "2/3"), "две третьих");
  EXPECT_EQ(Said(processor_, "1/3"), "одна третья");
  EXPECT_EQ(Said(processor_, "12/5"), "двенадцать");
  EXPECT_EQ(Said(processor_, "1/05"), "один");
  EXPECT_EQ(Said(processor_, "1/2/3"), "один");
  EXPECT_EQ(Said(processor_, "1 / 2"), "один");
  std::vector<TextToken> tokens = Tokens("в 10:30 утра");
  const ProcessResult r = RunProcessor(processor_, tokens, 1);
  EXPECT_EQ(r.consumed, 3);
  EXPECT_EQ(r.out[0].position.start, 2u);
  EXPECT_EQ(r.out[0].position.size, 5u);
}

}  // namespace
