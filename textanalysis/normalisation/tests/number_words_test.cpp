#include <gtest/gtest.h>

#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/numeral_speller.h"

namespace {

std::string Spoken(const std::string& digits, int gender = NumeralSpeller::kMasculine) {
  std::string words;
  return NumeralSpeller::Number(digits, words, gender) ? words : "<false>";
}

TEST(NumeralSpellerTest, ReadsNumbersByGroups) {
  EXPECT_EQ(Spoken("0"), "ноль");
  EXPECT_EQ(Spoken("000"), "ноль");
  EXPECT_EQ(Spoken("100"), "сто");
  EXPECT_EQ(Spoken("105"), "сто пять");
  EXPECT_EQ(Spoken("1000"), "тысяча");
  EXPECT_EQ(Spoken("1001"), "тысяча один");
  EXPECT_EQ(Spoken("11000"), "одиннадцать тысяч");
  EXPECT_EQ(Spoken("21000"), "двадцать одна тысяча");
  EXPECT_EQ(Spoken("1000000"), "миллион");
  EXPECT_EQ(Spoken("2000000"), "два миллиона");
  EXPECT_EQ(Spoken("1001000"), "миллион одна тысяча");
  EXPECT_EQ(Spoken("2000001"), "два миллиона один");
  EXPECT_EQ(Spoken("999999999999"),
            "девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов "
            "девятьсот девяносто девять тысяч девятьсот девяносто девять");
  EXPECT_EQ(Spoken("22", NumeralSpeller::kFeminine), "двадцать две");
  EXPECT_EQ(Spoken("12a"), "<false>");
  EXPECT_EQ(Spoken(""), "<false>");
}

TEST(NumeralSpellerTest, LongNumbersAreNeverReadShorter) {
  EXPECT_EQ(Spoken("5000000000000"), "пять триллионов");
  EXPECT_EQ(Spoken("1000000000000000"), "квадриллион");
  EXPECT_EQ(Spoken("2000000000000000001"), "два квинтиллиона один");
  // Past the largest scale word: digit by digit.
  EXPECT_EQ(Spoken("1234567890123456789012"),
            "один два три четыре пять шесть семь восемь девять ноль один два три четыре "
            "пять шесть семь восемь девять ноль один два");
}

TEST(NumeralSpellerTest, ZerosAndDigits) {
  std::string words;
  ASSERT_TRUE(NumeralSpeller::NumberWithZeros("007", words));
  EXPECT_EQ(words, "ноль ноль семь");
  ASSERT_TRUE(NumeralSpeller::NumberWithZeros("0", words));
  EXPECT_EQ(words, "ноль");
  ASSERT_TRUE(NumeralSpeller::DigitByDigit("305", words));
  EXPECT_EQ(words, "три ноль пять");
  EXPECT_FALSE(NumeralSpeller::DigitByDigit("3-5", words));
  EXPECT_EQ(NumeralSpeller::ScaleWord("21", NumeralSpeller::kWholeUnitPosition), "целая");
  EXPECT_EQ(NumeralSpeller::ScaleWord("3", NumeralSpeller::kWholeUnitPosition), "целых");
  EXPECT_EQ(NumeralSpeller::Cardinal("1", NumeralSpeller::kWholeUnitPosition), "одна");
}

TEST(NumeralSpellerTest, Ordinals) {
  std::string words;
  ASSERT_TRUE(NumeralSpeller::Ordinal("2005", "ого", "ьего", words, true));
  EXPECT_EQ(words, "две тысячи пятого");
  ASSERT_TRUE(NumeralSpeller::Ordinal("2000", "ого", "ьего", words, true));
  EXPECT_EQ(words, "двухтысячного");
  ASSERT_TRUE(NumeralSpeller::Ordinal("2000", "ой", "ий", words));
  EXPECT_EQ(words, "две тысячной");
  ASSERT_TRUE(NumeralSpeller::Ordinal("23", "ое", "ье", words));
  EXPECT_EQ(words, "двадцать третье");
  ASSERT_TRUE(NumeralSpeller::Ordinal("115", "ый", "ий", words));
  EXPECT_EQ(words, "сто пятнадцатый");
  EXPECT_FALSE(NumeralSpeller::Ordinal("1000000000000", "ый", "ий", words));
}

// Forms for "один" and "тысяча" in two slots each.
const std::vector<std::string> kNumeralForms = {
    "# comment",
    "(жен:числ:им:ед)",
    "один одна",
    "тысяча",
    "неведомое слово",
    "@",
    "(муж:прил:предл:ед)",
    "один первом",
    "двадцать двадцатом",
    "тысяча тысячном",
    "@",
    "(сред:числ:зват:ед)",
    "один одно-зват",
    "@",
    "(жен:числ:им)",
    "один испорчено",
    "(муж:числ:р0д:ед)",
    "один испорчено"};

class GrammarTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_.LoadNumeralForms(kNumeralForms);
    tables_.LoadWordForms({"году:муж:прил:предл:ед", "Года:муж:прил:род.", "плохо:муж:xx",
                           "# году:жен", "слово1:жен"});
  }
  std::string Inflected(std::string words, const GrammarForm& form) const {
    tables_.InflectNumber(words, form);
    return words;
  }
  std::string Phrase(std::string words, const std::string& next, const std::string& prev) const {
    tables_.InflectNumberPhrase(words, next, prev);
    return words;
  }
  GrammarTables tables_;
};

TEST_F(GrammarTablesTest, FormsBySlot) {
  EXPECT_EQ(Inflected("один", GrammarForm{0, 0, 0, 0}), "одна");
  EXPECT_EQ(Inflected("двадцать один", GrammarForm{0, 0, 0, 0}), "двадцать одна");
  EXPECT_EQ(Inflected("один", GrammarForm{1, 0, 0, 0}), "один");   // no form in that slot
  EXPECT_EQ(Inflected("тысяча", GrammarForm{0, 0, 0, 0}), "тысяча");
  // The vocative of the neuter has its own slot and overwrites nothing.
  EXPECT_EQ(Inflected("один", GrammarForm{2, 0, 6, 0}), "одно-зват");
  EXPECT_EQ(Inflected("один", GrammarForm{1, 0, 5, 1}), "первом");
  // A header that is not four letter fields takes no forms.
  EXPECT_EQ(Inflected("один", GrammarForm{1, 0, 1, 0}), "один");
}

TEST_F(GrammarTablesTest, OrdinalScaleWordsAreNormalised) {
  EXPECT_EQ(Inflected("две тысячи", GrammarForm{1, 0, 5, 1}), "две тысячном");
  EXPECT_EQ(Inflected("сто двадцать один", GrammarForm{1, 0, 5, 1}), "сто двадцать первом");
  EXPECT_EQ(Inflected("две тысячи", GrammarForm{1, 0, 5, 0}), "две тысячи");
}

TEST_F(GrammarTablesTest, PhraseTakesTheNextWordThenThePreposition) {
  EXPECT_EQ(Phrase("двадцать один", "году", ""), "двадцать первом");
  EXPECT_EQ(Phrase("двадцать один", "Году", ""), "двадцать первом");
  EXPECT_EQ(Phrase("двадцать один", "года", ""), "двадцать один");  // known, no form
  // A preposition alone asks for a cardinal in its case ("в двадцать один").
  EXPECT_EQ(Phrase("двадцать один", "", "в"), "двадцать один");
  EXPECT_EQ(Phrase("двадцать один", "", "В"), "двадцать один");  // at a sentence start
  EXPECT_EQ(Phrase("двадцать один", "плохо", "в"), "двадцать один");
  EXPECT_EQ(Phrase("двадцать один", "", "за"), "двадцать один");
  EXPECT_EQ(Phrase("двадцать один", "", "что"), "двадцать один");
  EXPECT_EQ(tables_.WordForm("плохо"), nullptr);
  EXPECT_EQ(tables_.WordForm("слово1"), nullptr);
  ASSERT_NE(tables_.WordForm("года"), nullptr);
  EXPECT_EQ(tables_.WordForm("года")->grammarCase, 1);
}

// The noun after the number and the preposition before it decide together.
class GrammarCaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_.LoadNumeralForms({"(муж:числ:род:мн)", "двадцать двадцати", "пять пяти", "два двух",
                              "пятьсот пятисот", "тысяча тысяч", "@", "(жен:числ:род:ед)",
                              "два двух", "один одной", "@", "(муж:числ:род:ед)", "один одного", "двадцать двадцати", "тысяча тысячи",
                              "@", "(муж:числ:дат:ед)", "двадцать двадцати", "тысяча тысяче", "@",
                              "(жен:числ:дат:ед)", "один одной", "@", "(жен:числ:вин:ед)",
                              "один одну", "@", "(муж:числ:вин:ед)", "тысяча тысячу", "@",
                              "(жен:числ:им:ед)", "два две", "@",
                              "(муж:прил:дат:ед)", "тысяча тысячному", "@"});
    tables_.LoadWordForms(
        {"час:муж:числ:им:ед", "час:муж:числ:вин:ед", "часа:муж:числ:род:ед",
         "часов:муж:числ:род:мн", "часам:муж:числ:дат:мн", "книга:жен:числ:им:ед",
         "книгу:жен:числ:вин:ед", "книги:жен:числ:род:ед", "книги:жен:числ:им:мн",
         "кошки:жен:числ:род:ед", "кошек:жен:числ:род:мн", "друзьями:муж:числ:твор:мн",
         "лет:муж:числ:род:мн", "год:муж:числ:им:ед", "год:муж:прил:им:ед",
         "года:муж:числ:род:ед", "года:муж:прил:род:ед", "году:муж:прил:предл:ед",
         "году:муж:прил:дат:ед", "апреля:сред:прил:род:ед", "день:муж:числ:им:ед",
         "день:муж:числ:вин:ед", "минуте:жен:числ:дат:ед", "минуте:жен:числ:предл:ед",
         "этаже:муж:прил:предл:ед", "тыс:жен:числ:им:ед", "тыс:жен:числ:род:ед",
         "тыс:жен:числ:род:мн", "ночи:жен:числ:род:ед", "ночи:жен:числ:предл:ед"});
  }
  // gender number case part, or "none".
  std::string Chosen(const std::string& words, const std::string& digits,
                     const std::string& next, const std::string& previous) const {
    GrammarForm f;
    if (!tables_.ChooseForm(words, digits, next, previous, f)) return "none";
    return std::to_string(f.gender) + std::to_string(f.number) + std::to_string(f.grammarCase) +
           std::to_string(f.part);
  }
  std::string Phrase(std::string words, const std::string& digits, const std::string& next,
                     const std::string& previous) const {
    tables_.InflectNumberPhrase(words, next, previous, digits);
    return words;
  }
  GrammarTables tables_;
};

TEST_F(GrammarCaseTest, CardinalsAfterPrepositions) {
  EXPECT_EQ(Chosen("пять", "5", "часов", "в"), "1030");      // в пять часов
  EXPECT_EQ(Chosen("пять", "5", "часов", ""), "1000");       // пять часов
  EXPECT_EQ(Chosen("пять", "5", "часов", "до"), "1110");     // до пяти часов
  EXPECT_EQ(Chosen("пять", "5", "часов", "Около"), "1110");
  EXPECT_EQ(Chosen("десять", "10", "часам", "к"), "1120");   // к десяти часам
  EXPECT_EQ(Chosen("три", "3", "часа", ""), "1000");         // три часа
  EXPECT_EQ(Chosen("два", "2", "часов", "более"), "1110");   // более двух часов
  EXPECT_EQ(Chosen("пять", "5", "друзьями", "с"), "1140");   // с пятью друзьями
  EXPECT_EQ(Chosen("восемнадцать", "18", "лет", "до"), "1110");
  EXPECT_EQ(Chosen("пять", "5", "тыс", "к"), "0120");        // к пяти тыс.
  // No noun: the preposition's own case; a year after "в" is ordered.
  EXPECT_EQ(Chosen("сто", "100", "", "из"), "1110");
  EXPECT_EQ(Chosen("пять", "5", "", "в"), "1030");
  EXPECT_EQ(Chosen("пять", "5", "утра", "в"), "1030");
  EXPECT_EQ(Chosen("тысяча девятьсот шестьдесят один", "1961", "", "в"), "1051");
  EXPECT_EQ(Chosen("пять", "5", "утра", ""), "none");
  EXPECT_EQ(Chosen("пять", "5", "", ""), "none");
}

TEST_F(GrammarCaseTest, GenderAndAnimacyFromTheNoun) {
  EXPECT_EQ(Chosen("двадцать один", "21", "книга", ""), "0000");
  EXPECT_EQ(Chosen("двадцать один", "21", "книгу", "на"), "0030");
  EXPECT_EQ(Chosen("два", "2", "книги", ""), "0000");
  EXPECT_EQ(Chosen("двадцать два", "22", "кошки", ""), "0000");
  EXPECT_EQ(Chosen("двадцать два", "22", "кошек", ""), "0110");  // вижу двух кошек
  EXPECT_EQ(Chosen("два", "2", "тыс", ""), "0000");
}

TEST_F(GrammarCaseTest, OrdinalsWhereTheNounAsks) {
  EXPECT_EQ(Chosen("сорок один", "41", "год", ""), "1000");
  EXPECT_EQ(Chosen("тысяча девятьсот шестьдесят один", "1961", "год", ""), "1001");
  EXPECT_EQ(Chosen("тысяча девятьсот шестьдесят один", "1961", "года", ""), "1011");
  EXPECT_EQ(Chosen("два", "2", "года", ""), "1000");
  EXPECT_EQ(Chosen("пять", "5", "год", ""), "1001");
  EXPECT_EQ(Chosen("две тысячи", "2000", "году", "к"), "1021");
  EXPECT_EQ(Chosen("две тысячи", "2000", "году", "в"), "1051");
  EXPECT_EQ(Chosen("двенадцать", "12", "апреля", ""), "2011");
  EXPECT_EQ(Chosen("двенадцать", "12", "апреля", "к"), "2021");
  EXPECT_EQ(Chosen("двенадцать", "12", "апреля", "на"), "2031");
  EXPECT_EQ(Chosen("один", "1", "этаже", "на"), "1051");
  // A singular the number cannot count: "на пятый день", "на десятой минуте".
  EXPECT_EQ(Chosen("пять", "5", "день", "на"), "1031");
  EXPECT_EQ(Chosen("десять", "10", "минуте", "на"), "0051");
  EXPECT_EQ(Chosen("один", "1", "минуте", "на"), "0050");
  // A genitive after it is the time of day: "в одиннадцать ночи".
  EXPECT_EQ(Chosen("одиннадцать", "11", "ночи", "в"), "0030");
  EXPECT_EQ(Chosen("восемь", "8", "апреля", "Сегодня"), "2001");
}

TEST_F(GrammarCaseTest, EveryWordOfACardinalDeclines) {
  EXPECT_EQ(Phrase("двадцать пять", "25", "часов", "до"), "двадцати пяти");
  EXPECT_EQ(Phrase("две тысячи пятьсот", "2500", "часов", "до"), "двух тысяч пятисот");
  EXPECT_EQ(Phrase("двадцать одна тысяча", "21000", "", "к"), "двадцати одной тысяче");
  EXPECT_EQ(Phrase("двадцать один", "21", "книгу", "на"), "двадцать одну");
  EXPECT_EQ(Phrase("двадцать два", "22", "кошки", ""), "двадцать две");
  EXPECT_EQ(Phrase("двадцать один", "21", "часа", "до"), "двадцати одного");
  EXPECT_EQ(Phrase("две тысячи", "2000", "году", "к"), "двухтысячному");
  // A thousand of one: "до тысячи лет", "на тысячу", "за двадцать одну тысячу".
  EXPECT_EQ(Phrase("тысяча", "1000", "лет", "до"), "тысячи");
  EXPECT_EQ(Phrase("тысяча", "1000", "лет", "на"), "тысячу");
  EXPECT_EQ(Phrase("тысяча", "1000", "лет", ""), "тысяча");
  EXPECT_EQ(Phrase("двадцать одна тысяча", "21000", "лет", "за"), "двадцать одну тысячу");
}

TEST(GrammarTablesSlotTest, EveryFormHasItsOwnSlot) {
  std::set<int> slots;
  for (int g = 0; g < 3; ++g)
    for (int c = 0; c < 7; ++c)
      for (int p = 0; p < 2; ++p)
        for (int n = 0; n < 2; ++n) {
          const int slot = GrammarTables::Slot(GrammarForm{g, n, c, p});
          EXPECT_GE(slot, 0);
          EXPECT_LT(slot, GrammarTables::kSlotCount);
          slots.insert(slot);
        }
  EXPECT_EQ(slots.size(), static_cast<size_t>(GrammarTables::kSlotCount));
  EXPECT_EQ(GrammarTables::Slot(GrammarForm{3, 0, 0, 0}), -1);
}

}  // namespace
