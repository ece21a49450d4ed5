#include <gtest/gtest.h>

#include "textanalysis/normalisation/letter_processors.h"
#include "textanalysis/normalisation/tests/test_tokens.h"
#include "textanalysis/normalisation/word_processors.h"

namespace {

TEST(LetterNameProcessorTest, NamesALoneLetterOnly) {
  LetterNameProcessor p;
  EXPECT_EQ(Said(p, "Б."), "бэ");
  EXPECT_EQ(Said(p, "ъ"), "твёрдый знак");
  EXPECT_EQ(Said(p, "h"), "эйч");
  EXPECT_EQ(Said(p, "Б в"), "<none>");
  EXPECT_EQ(Said(p, "Б, в."), "<none>");
  EXPECT_EQ(Said(p, "Бв"), "<none>");
  EXPECT_EQ(Said(p, "7."), "<none>");
  EXPECT_EQ(Said(p, "а б", 1), "<none>");
}

TEST(CyrillicAbbreviationProcessorTest, SpellsCapitalsWithoutInnerVowel) {
  CyrillicAbbreviationProcessor p;
  EXPECT_EQ(Said(p, "ФСБ"), " эф эс бэ");
  EXPECT_EQ(Said(p, "СССР"), " эс эс эс эр");
  EXPECT_EQ(Said(p, "УВД"), " у вэ дэ");
  EXPECT_EQ(Said(p, "МГУ"), " эм гэ у");
  EXPECT_EQ(Said(p, "ЪЬ"), " ъ ь");
  EXPECT_EQ(Said(p, "ОМОН"), "<none>");
  EXPECT_EQ(Said(p, "МИД"), "<none>");
  EXPECT_EQ(Said(p, "Б"), "<none>");
  EXPECT_EQ(Said(p, "ФСб"), "<none>");
}

TEST(LatinAbbreviationProcessorTest, SpellsCapitalsByVowelRule) {
  LatinAbbreviationProcessor p;
  EXPECT_EQ(Said(p, "IBM"), " ай би эм");
  EXPECT_EQ(Said(p, "USA"), " ю эс эй");
  EXPECT_EQ(Said(p, "X"), " икс");
  EXPECT_EQ(Said(p, "BBC"), " би би си");
  EXPECT_EQ(Said(p, "NATO"), "<none>");
  EXPECT_EQ(Said(p, "ABBA"), " эй би би эй");
  EXPECT_EQ(Said(p, "AUDI"), "<none>");
  EXPECT_EQ(Said(p, "Linux"), "<none>");
}

TEST(LatinToCyrillicProcessorTest, MapsEveryLatinLetter) {
  LatinToCyrillicProcessor p;
  EXPECT_EQ(Said(p, "Linux"), "Линукс");
  EXPECT_EQ(Said(p, "X5"), "Кс");
  EXPECT_EQ(Said(p, "jquery"), "джкууери");
  EXPECT_EQ(Said(p, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "АБЦДЕФГХИДжКЛМНОПКуРСТУВВКсИЗ");
  EXPECT_EQ(Said(p, "5X"), "<none>");
}

TEST(SymbolNameProcessorTest, AgreesWithTheNumberBefore) {
  SymbolNameProcessor p;
  EXPECT_EQ(Said(p, "25%", 1), "процентов");
  EXPECT_EQ(Said(p, "3%", 1), "процента");
  EXPECT_EQ(Said(p, "21%", 1), "процент");
  EXPECT_EQ(Said(p, "12%", 1), "процентов");
  EXPECT_EQ(Said(p, "111%", 1), "процентов");
  EXPECT_EQ(Said(p, "5$", 1), "долларов");
  // A decimal fraction counts in the genitive singular; a list does not.
  EXPECT_EQ(Said(p, "3,5%", 3), "процента");
  EXPECT_EQ(Said(p, "0.25%", 3), "процента");
  EXPECT_EQ(Said(p, "3, 25%", 3), "процентов");
  // After a word that puts the number in the genitive, the sign follows it.
  EXPECT_EQ(Said(p, "до 3%", 2), "процентов");
  EXPECT_EQ(Said(p, "Более 1%", 2), "процента");
  EXPECT_EQ(Said(p, "около 25%", 2), "процентов");
  EXPECT_EQ(Said(p, "на 3%", 2), "процента");
  // Far beyond any integer: the last digits still decide.
  EXPECT_EQ(Said(p, "99999999999999999999999992%", 1), "процента");
  EXPECT_EQ(AgreeingEnding("1,5.2"), "");
  EXPECT_EQ(AgreeingEnding("7.24"), "а");
  EXPECT_EQ(AgreeingEnding("3,11"), "ов");
  // The degree sign counts as well; the euro does not change.
  EXPECT_EQ(Said(p, "5\xB0", 1), "гра+дусов");
  EXPECT_EQ(Said(p, "22\xB0", 1), "гра+дуса");
  EXPECT_EQ(Said(p, "1 \xB0", 1), "гра+дус");
  EXPECT_EQ(Said(p, "5 \x88", 1), "е+вро");
}

TEST(SymbolNameProcessorTest, NamesSymbolsOneByOne) {
  SymbolNameProcessor p;
  EXPECT_EQ(Said(p, "@"), "собака");
  EXPECT_EQ(Said(p, "+="), "плюс равно");
  EXPECT_EQ(Said(p, "\xB9"), "номер");
  EXPECT_EQ(Said(p, "%"), "процент");
  EXPECT_EQ(Said(p, "`"), "<none>");
  EXPECT_EQ(Said(p, "\xB1"), "плюс ми+нус");
  EXPECT_EQ(Said(p, "\xA7"), "пара+граф");
  EXPECT_EQ(Said(p, "\x88"), "е+вро");
  EXPECT_EQ(Said(p, "\xB0"), "гра+дус");
  std::vector<TextToken> tokens = Tokens("a *");
  const ProcessResult r = RunProcessor(p, tokens, 1);
  ASSERT_EQ(r.result, TextProcessor::kHandled);
  EXPECT_EQ(r.out[0].flags, TextToken::kSpaceBefore);
}

TEST(FallbackProcessorsTest, PassThroughAndDrop) {
  PassThroughProcessor pass;
  DropWordProcessor drop;
  EXPECT_EQ(Said(pass, "слово"), "слово");
  EXPECT_EQ(Said(pass, "!"), "!");
  EXPECT_EQ(Said(pass, "x"), "<none>");
  EXPECT_EQ(Said(pass, "5"), "<none>");
  std::vector<TextToken> tokens = Tokens("abc 5");
  const ProcessResult r = RunProcessor(drop, tokens, 1);
  EXPECT_EQ(r.result, TextProcessor::kHandled);
  EXPECT_EQ(r.consumed, 1);
  EXPECT_EQ(r.Text(), "");
  EXPECT_EQ(r.out[0].position.start, 4u);
}

}  // namespace
