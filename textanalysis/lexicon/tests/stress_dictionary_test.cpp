#include "textanalysis/lexicon/stress_dictionary.h"

#include <gtest/gtest.h>

#include <string>

#include "textanalysis/lexicon/tests/lexicon_files.h"
#include "textanalysis/lexicon/word_file.h"
#include "textanalysis/lexicon/word_file_set.h"

namespace {

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(WordFileTest, AcceptsOnlyTheExactSize) {
  TestFolder folder;
  const std::string records = "абвгдежзийклмно";  // three records of five letters
  WriteBytes(folder / "w5", LittleEndian32(3) + records);
  WriteBytes(folder / "w6", LittleEndian32(3) + records.substr(0, 14));  // 18 bytes
  WriteBytes(folder / "w7", LittleEndian32(3) + records + "п");          // 20 bytes
  WriteBytes(folder / "w8", "\x01\x00");                                 // no whole count
  // 4 + 4 * 0x40000000 wraps to 4 in 32 bits, and 4 + 4 * (int)0x80000001 to 8.
  WriteBytes(folder / "w4", LittleEndian32(0x40000000u));
  WriteBytes(folder / "v4", LittleEndian32(0x80000001u) + "абвг");

  WordFile file;
  EXPECT_TRUE(file.Load(folder.Wide(), "w", 5));
  EXPECT_EQ(file.Count(), 3);
  EXPECT_TRUE(file.Find("клмно"));
  for (const auto& [stem, length] :
       {std::pair{"w", 6}, {"w", 7}, {"w", 8}, {"w", 9}, {"w", 4}, {"v", 4}}) {
    EXPECT_FALSE(file.Load(folder.Wide(), stem, length)) << stem << length;
    EXPECT_FALSE(file.Find("абвгд"));
  }
}

TEST(WordFileTest, SearchesInWindows1251ByteOrder) {
  TestFolder folder;
  // 'ё' (0xB8) sorts before 'А' (0xC0) and 'а' (0xE0), unlike in Unicode.
  const std::vector<std::string> records = {"ЁЛЫ", "ёлы", "ёрш", "АЗА", "ЖУК", "аза", "уха", "ягу"};
  WriteWordFile(folder / "", "w", 3, records);
  WordFile file;
  ASSERT_TRUE(file.Load(folder.Wide(), "w", 3));
  for (const std::string& word : records) EXPECT_TRUE(file.Find(word)) << word;
  for (const char* word : {"ёжи", "ЖУЖ", "ЁЛА", "ух", "ух1"}) EXPECT_FALSE(file.Find(word)) << word;
}

TEST(WordFileSetTest, LoadsAllLengthsOrNothing) {
  TestFolder folder;
  WriteWordFile(folder / "", "jog3.dat", 3, {"ёлы"});
  WriteWordFile(folder / "", "jog3.dat", 21, {Repeat("ё", 21)});
  FillWordFiles(folder / "", "jog3.dat", 1, 21);

  YoVariantsBase yo;
  ASSERT_TRUE(yo.Load(folder.Wide()));
  EXPECT_TRUE(yo.Find("ёлы"));
  EXPECT_TRUE(yo.Find(Repeat("ё", 21)));
  EXPECT_FALSE(yo.Find(""));
  EXPECT_FALSE(yo.Find(Repeat("ё", 22)));

  std::filesystem::remove(folder / "jog3.dat21");
  EXPECT_FALSE(yo.Load(folder.Wide()));
  EXPECT_FALSE(yo.IsLoaded());
  EXPECT_FALSE(yo.Find("ёлы"));  // the files that did load are emptied again
}

class StressDictionaryTest : public ::testing::Test {
 protected:
  void Load() {
    CompleteLexicon(folder_ / "");
    ASSERT_TRUE(dictionary_.Load(folder_.Wide()));
  }

  TestFolder folder_;
  StressDictionary dictionary_;
};

TEST_F(StressDictionaryTest, WholeWordsAndStemsWithEndings) {
  WriteWordFile(folder_ / "", "wordsg3.dat", 6, {"дорога", "молокО"});  // "дорога": no capital
  WriteWordFile(folder_ / "", "wordsg3.dat", 4, {"дОро", "кнИг"});
  WriteWordFile(folder_ / "", "endsg3.dat", 3, {"ами"});
  WriteWordFile(folder_ / "", "endsg3.dat", 2, {"га"});
  Load();

  EXPECT_EQ(dictionary_.Lookup("молоко"), 5);
  EXPECT_EQ(dictionary_.Lookup("книгами"), 2);
  // No ending "у": the default (second of two vowels).
  EXPECT_EQ(dictionary_.Lookup("книгу"), 4);
  // The stem without a stressed vowel counts as not found; the search goes
  // on with shorter stems.
  EXPECT_EQ(dictionary_.Lookup("дорога"), 1);

  EXPECT_TRUE(dictionary_.Contains("молоко"));
  EXPECT_TRUE(dictionary_.Contains("книгами"));
  EXPECT_FALSE(dictionary_.Contains("книгу"));
  EXPECT_FALSE(dictionary_.Contains("кот"));  // Lookup still gives its only vowel
  EXPECT_EQ(dictionary_.Lookup("кот"), 1);
}

TEST_F(StressDictionaryTest, StemsAreSortedByTheirLowerCasedForm) {
  // Raw bytes would put "вОда" (О = 0xCE) before "вбАр" (б = 0xE1).
  WriteWordFile(folder_ / "", "wordsg3.dat", 4, {"ёлкИ", "вбАр", "вОда", "вОды"});
  Load();
  EXPECT_EQ(dictionary_.Lookup("вбар"), 2);
  EXPECT_EQ(dictionary_.Lookup("вода"), 1);
  EXPECT_EQ(dictionary_.Lookup("воды"), 1);
}

TEST_F(StressDictionaryTest, VowelsAndYoBeforeTheDictionary) {
  WriteWordFile(folder_ / "", "wordsg3.dat", 6, {"пОйдём"});
  Load();
  EXPECT_EQ(dictionary_.Lookup("ёж"), 0);
  EXPECT_EQ(dictionary_.Lookup("пойдём"), 4);  // 'ё' wins over the record
  EXPECT_EQ(dictionary_.Lookup("ЁЛКА"), 0);
  EXPECT_EQ(dictionary_.Lookup("вдрг"), StressDictionary::kNoStress);
  EXPECT_EQ(dictionary_.Lookup(""), StressDictionary::kNoStress);
  EXPECT_EQ(dictionary_.Lookup("мама1"), StressDictionary::kNoStress);
  EXPECT_EQ(dictionary_.Lookup("mama"), StressDictionary::kNoStress);
  EXPECT_FALSE(dictionary_.Contains(""));
}

TEST_F(StressDictionaryTest, DefaultsByNumberOfVowels) {
  Load();
  // k vowels -> 0-based vowel chosen.
  const int expected[][2] = {{2, 1}, {3, 1}, {4, 2},  {5, 2},  {6, 2},  {7, 3},
                             {8, 4}, {9, 5}, {10, 6}, {11, 7}, {12, 7}, {15, 7}};
  for (const auto& [vowels, chosen] : expected) {
    // "ба" repeated: the i-th vowel is at 2i + 1.
    EXPECT_EQ(dictionary_.Lookup(Repeat("ба", vowels)), 2 * chosen + 1) << vowels;
  }
}

TEST_F(StressDictionaryTest, LongWordsAreNeverSearched) {
  const std::string stem = Repeat("б", 23) + "О";  // 24 letters
  WriteWordFile(folder_ / "", "wordsg3.dat", 24, {stem});
  WriteWordFile(folder_ / "", "endsg3.dat", 1, {"а"});
  Load();
  const std::string lowered = Repeat("б", 23) + "о";
  EXPECT_EQ(dictionary_.Lookup(lowered), 23);
  EXPECT_TRUE(dictionary_.Contains(lowered));
  // 25 letters: stem + ending would match, but the default (2nd vowel) wins.
  EXPECT_EQ(dictionary_.Lookup(lowered + "а"), 24);
  EXPECT_FALSE(dictionary_.Contains(lowered + "а"));
}

}  // namespace
