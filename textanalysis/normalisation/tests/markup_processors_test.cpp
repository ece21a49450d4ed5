#include <gtest/gtest.h>

#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/markup_tables.h"
#include "textanalysis/normalisation/normaliser.h"
#include "textanalysis/normalisation/tests/test_tokens.h"

namespace {

std::string Date(const std::string& value, const std::string& text) {
  std::vector<std::string> texts;
  for (const TextToken& t : Tokens(text)) texts.push_back(t.text);
  std::string said;
  return ContextTagProcessor::ReadDate(value, texts, said) ? said : "<none>";
}

std::string Context(const std::string& value, const std::string& text) {
  ContextTagProcessor p;
  p.OnTag({"Pron=x", "Context=" + value});
  std::vector<TextToken> tokens = Tokens(text);
  const ProcessResult r = RunProcessor(p, tokens, 0);
  if (r.result != TextProcessor::kHandled) return "<none>";
  EXPECT_EQ(r.consumed, static_cast<int>(tokens.size()));
  return r.Text();
}

TEST(ContextTagProcessorTest, Dates) {
  EXPECT_EQ(Date("date_dmy", "23.02.2005"), "двадцать третье февраля, две тысячи пятого года");
  EXPECT_EQ(Date("date_mdy", "1/31/2000"), "тридцать первое января, двухтысячного года");
  EXPECT_EQ(Date("date_ymd", "1999-12-01"),
            "первое декабря, тысяча девятьсот девяносто девятого года");
  EXPECT_EQ(Date("date_my", "5.2003"), "май две тысячи третьего года");
  EXPECT_EQ(Date("date_dm", "8.3"), "восьмое марта");
  EXPECT_EQ(Date("date_year", "1942"), "тысяча девятьсот сорок второй год");
  EXPECT_EQ(Date("date_dmy", "23.13.2005"), "<none>");
  EXPECT_EQ(Date("date_dmy", "32.01.2005"), "<none>");
  EXPECT_EQ(Date("date_dmy", "23:02:2005"), "<none>");
}

TEST(ContextTagProcessorTest, TimesNumbersPhonesAddresses) {
  EXPECT_EQ(Context("time", "21:05"), "двадцать один час, пять минут");
  EXPECT_EQ(Context("time_detailed", "3:41:22"),
            "три часа, сорок одна минута, двадцать две секунды");
  EXPECT_EQ(Context("number_cardinal", "-15"), "минус пятнадцать");
  EXPECT_EQ(Context("number_digit", "150"), "один пять ноль");
  EXPECT_EQ(Context("number_fraction", "1/3"), "одна третья");
  EXPECT_EQ(Context("number_fraction", "2/5"), "две пятых");
  EXPECT_EQ(Context("number_decimal", "3,14"), "три целых четырнадцать сотых");
  EXPECT_EQ(Context("number_decimal", "1.5"), "одна целая пять десятых");
  EXPECT_EQ(Context("number_decimal_detailed", "2.05"), "два точка ноль пять");
  EXPECT_EQ(Context("phone_number", "+7 (495) 012-34-56"),
            "плюс, семь, четыреста девяносто пять, ноль двенадцать, тридцать четыре, "
            "пятьдесят шесть");
  EXPECT_EQ(Context("web_url", "http://www.ya.ru"),
            " ха тэ тэ пэ, вэ вэ вэ, точка, уа, точка, ру,");
  EXPECT_EQ(Context("web_url", "ftp/x1"), " эф тэ пэ, слэш, х, один,");
  EXPECT_EQ(Context("Email_Address", "ivan_2@mail.ru"),
            " иван, подчёркивание, два, эт, маил, точка, ру,");
  EXPECT_EQ(Context("currency", "$5"), "пять долларов");
  EXPECT_EQ(Context("gender_feminine", "5"), "<none>");
}

TEST(ContextTagProcessorTest, ActivationAndSpanToTheTagBoundary) {
  ContextTagProcessor p;
  p.OnTag({"Context=date_dm", "Spell"});
  EXPECT_TRUE(p.IsActive());
  EXPECT_EQ(p.Value(), "date_dm");
  std::vector<TextToken> tokens = Tokens("x");
  EXPECT_EQ(RunProcessor(p, tokens, 0).result, TextProcessor::kNotApplicable);
  EXPECT_FALSE(p.IsActive());
  p.OnTag({"Punc"});
  EXPECT_FALSE(p.IsActive());
}

TEST(MarkupTagProcessorsTest, AboutPuncSpell) {
  AboutTagProcessor about;
  about.OnTag({"About"});
  EXPECT_EQ(Said(about, "x"), "Тег эбаут.");
  EXPECT_EQ(Said(about, "x"), "<none>");
  PuncTagProcessor punc;
  EXPECT_EQ(Said(punc, "("), "<none>");
  punc.OnTag({"Punc"});
  EXPECT_EQ(Said(punc, "("), "открыть круглую скобку)");
  EXPECT_EQ(Said(punc, "..."), "многоточие");
  EXPECT_EQ(Said(punc, "?!"), "вопрос? восклицательный знак!");
  EXPECT_EQ(Said(punc, "слово"), "<none>");
  SpellTagProcessor spell;
  spell.OnTag({"Spell"});
  EXPECT_EQ(Said(spell, "Ъ"), "твёрдый знак,");
  EXPECT_EQ(Said(spell, "gH"), "джи, эйч,");
  EXPECT_EQ(Said(spell, "("), "открыть круглую скобку(");
}

TEST(MarkupTablesTest, MonthsAndDenominators) {
  EXPECT_EQ(MonthNameTable::Name(1, 0), "январь");
  EXPECT_EQ(MonthNameTable::Name(12, 1), "декабря");
  EXPECT_EQ(MonthNameTable::Name(5, 4), "май");
  EXPECT_EQ(MonthNameTable::Name(13, 0), "");
  EXPECT_EQ(DenominatorTable::ForPlaces(1), "десятых");
  EXPECT_EQ(DenominatorTable::ForPlaces(17), "стоквадриллионных");
  EXPECT_EQ(DenominatorTable::ForPlaces(18), "квинтиллионных");
  EXPECT_EQ(DenominatorTable::ForPlaces(19), "");
}

TEST(TranscriptionTest, ParsesAndMatches) {
  Normaliser normaliser;
  normaliser.LoadTranscriptions({"Wi-Fi #вайфай#", "google #гугл#", "bad line", "linux #ab#",
                                 "word noframe", "#x# #yy#"});
  const TranscriptionDictionary& d = normaliser.Transcriptions();
  EXPECT_EQ(d.Size(), 2u);
  TranscriptionEntry entry;
  ASSERT_TRUE(d.ParseLine("Wi-Fi  #вайфай#", entry));
  EXPECT_EQ(entry.word, "wi");
  EXPECT_EQ(entry.followWords, (std::vector<std::string>{"-", "fi"}));
  EXPECT_EQ(entry.cyrillic, "внзарвифивнзар");
  EXPECT_EQ(entry.transcription, "#вайфай#");

  LinguisticResources resources(&normaliser);
  TranscriptionProcessor p;
  ASSERT_EQ(p.Init(&resources), 1);
  std::vector<TextToken> tokens = Tokens("my WI-fi");
  const ProcessResult r = RunProcessor(p, tokens, 1);
  ASSERT_EQ(r.result, TextProcessor::kHandled);
  EXPECT_EQ(r.consumed, 3);
  EXPECT_EQ(r.Text(), "внзарвифивнзар");
  EXPECT_EQ(r.out[0].flags, TextToken::kSpaceBefore | 0x2000400u);
  EXPECT_EQ(Said(p, "Wi-"), "<none>");
}

}  // namespace
