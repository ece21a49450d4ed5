#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/registry.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"
#include "textanalysis/lexicon/user_stress_base_file.h"

namespace {

constexpr int kNone = UserStressBaseFile::kNoStress;

DWORD ReadGeneration() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\419", 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return 0;
  DWORD value = 0, type = 0, size = sizeof value;
  if (RegQueryValueExW(key, u"UserStressBaseGeneration", nullptr, &type,
                       reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS)
    value = 0;
  RegCloseKey(key);
  return value;
}

class UserStressBaseTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return folder_ / "user.txt"; }
  std::u16string WidePath() const { return NarrowToWide(File().string()); }

  void LoadText(const std::string& text) {
    WriteBytes(File(), text);
    ASSERT_TRUE(base_.Load(WidePath()));
  }

  TestFolder folder_;
  UserStressBaseFile base_;
};

TEST_F(UserStressBaseTest, LineFormats) {
  LoadText(
      "# comment line\n"
      "а+б+в\n"       // two marks
      "+мама\n"       // mark first
      "мм+\n"         // mark after a consonant
      "  папа+ \t\n"  // trimmed
      "\n"
      "МАМА+\r\n"  // lower-cased; CR LF is one line end
      "кот+\n"
      "кот\n"  // removes
      "дом+\n"
      "ДОМ\n"     // removes the lower-cased key too
      "*ость+\n"  // mark after a consonant of a pattern
      "*о+сть\n"
      "ле+с*\n"
      "*ма+ш*\n");
  EXPECT_EQ(base_.Find("абв"), kNone);
  EXPECT_EQ(base_.Find("мм"), kNone);
  EXPECT_EQ(base_.Find("мама"), 3);
  EXPECT_EQ(base_.Find("папа"), 3);
  EXPECT_EQ(base_.Find("кот"), kNone);
  EXPECT_EQ(base_.Find("дом"), kNone);
  EXPECT_EQ(base_.Find("радость"), 3);
  EXPECT_EQ(base_.Find("РАДОСТЬ"), 3);
  EXPECT_EQ(base_.ListEntries(), (std::set<std::string>{"*маш*", "*ость", "лес*", "мама", "папа"}));
  // Indexes into the key, the leading "*" counted.
  EXPECT_EQ(base_.ListStresses(),
            (std::map<std::string, int>{
                {"*маш*", 2}, {"*ость", 1}, {"лес*", 1}, {"мама", 3}, {"папа", 3}}));
}

TEST_F(UserStressBaseTest, LineLengthLimitMissingFileAndEmptyPath) {
  const std::string read = "а+" + std::string(124, 'б');     // 126 characters
  const std::string skipped = "о+" + std::string(125, 'б');  // 127 characters
  LoadText(read + "\n" + skipped + "\n");
  EXPECT_EQ(base_.Find("а" + std::string(124, 'б')), 0);
  EXPECT_EQ(base_.Find("о" + std::string(125, 'б')), kNone);

  EXPECT_FALSE(base_.Load(u""));
  std::filesystem::remove(File());
  EXPECT_TRUE(base_.Load(WidePath()));
  EXPECT_TRUE(base_.ListEntries().empty());
}

TEST_F(UserStressBaseTest, FindOrderExactThenPatterns) {
  LoadText(
      "ра+дость\n"
      "*о+сть\n"
      "ра+д*\n"
      "ра+да*\n"
      "радо+ст*\n"
      "*о+к\n"
      "*а+\n"
      "*а+пша\n"
      "*ма+ш*\n");
  // The exact entry wins over the suffix pattern.
  EXPECT_EQ(base_.Find("радость"), 1);
  EXPECT_EQ(base_.Find("радостный"), 3);
  EXPECT_EQ(base_.Find("рад"), 1);
  // "рад*" although "радост*" sorts between it and the word.
  EXPECT_EQ(base_.Find("радуга"), 1);
  // "ок" occurs first at the start of "окорок", yet the word ends with it.
  EXPECT_EQ(base_.Find("окорок"), 4);
  EXPECT_EQ(base_.Find("каша"), 3);
  // Where a pattern matched already without those two rules, its answer
  // stays: "апша" (not "*а", which sorts first), the infix "маш" (not the
  // prefix "рад*" or the suffix "*а").
  EXPECT_EQ(base_.Find("лапша"), 1);
  EXPECT_EQ(base_.Find("ромашка"), 3);
  EXPECT_EQ(base_.Find("радмашка"), 4);
  EXPECT_EQ(base_.Find("дом"), kNone);
}

TEST_F(UserStressBaseTest, AddAppendsAndBumpsTheGeneration) {
  LoadText("");
  const DWORD before = ReadGeneration();

  EXPECT_TRUE(base_.Add("молоко", 5));
  EXPECT_EQ(base_.Find("молоко"), 5);
  EXPECT_EQ(ReadGeneration(), before + 1);
  // The same stress again: nothing written, no bump.
  EXPECT_FALSE(base_.Add("Моло+ко", 5));
  EXPECT_EQ(ReadGeneration(), before + 1);

  EXPECT_TRUE(base_.Add("молоко", 1));
  EXPECT_TRUE(base_.AddMarked("ко+шка"));
  EXPECT_FALSE(base_.AddMarked("кошка"));
  EXPECT_TRUE(base_.Add("*ость", 1));  // stored from the core, as a reload would
  EXPECT_EQ(base_.Find("радость"), 3);
  EXPECT_TRUE(base_.Remove("молоко"));
  EXPECT_EQ(base_.Find("молоко"), kNone);
  EXPECT_TRUE(base_.Remove("нет"));  // absent: counted, not written
  EXPECT_EQ(ReadGeneration(), before + 6);

  EXPECT_EQ(ReadBytes(File()), "молоко+\nмо+локо\nко+шка\n*о+сть\nмолоко\n");

  UserStressBaseFile reloaded;
  ASSERT_TRUE(reloaded.Load(WidePath()));
  EXPECT_EQ(reloaded.Find("молоко"), kNone);
  EXPECT_EQ(reloaded.Find("кошка"), 1);
  EXPECT_EQ(reloaded.Find("радость"), 3);
}

TEST_F(UserStressBaseTest, AddRefusesWhatALoadWouldDrop) {
  LoadText("мама+\n");
  const DWORD before = ReadGeneration();
  EXPECT_FALSE(base_.Add("молоко", 0));  // consonant
  EXPECT_FALSE(base_.Add("молоко", 6));  // past the end
  EXPECT_FALSE(base_.Add("молоко", -1));
  EXPECT_FALSE(base_.Add("", 0));
  EXPECT_FALSE(base_.Add("#мама", 2));                      // would read back as a comment
  EXPECT_FALSE(base_.Add(" мама", 2));                      // would be trimmed
  EXPECT_FALSE(base_.Add("ма\nма", 1));                     // two lines
  EXPECT_FALSE(base_.Add("а" + std::string(125, 'б'), 0));  // line of 127
  EXPECT_FALSE(base_.Remove("#мама"));
  EXPECT_FALSE(base_.Remove(""));
  EXPECT_TRUE(base_.Add("а" + std::string(124, 'б'), 0));  // line of 126
  EXPECT_EQ(ReadGeneration(), before + 1);
  EXPECT_EQ(base_.Find("мама"), 3);
}

TEST_F(UserStressBaseTest, AppendAfterALastLineWithoutLineEnd) {
  LoadText("мама+");
  EXPECT_TRUE(base_.Add("папа", 1));
  EXPECT_EQ(ReadBytes(File()), "мама+\nпа+па\n");
  UserStressBaseFile reloaded;
  ASSERT_TRUE(reloaded.Load(WidePath()));
  EXPECT_EQ(reloaded.Find("мама"), 3);
  EXPECT_EQ(reloaded.Find("папа"), 1);
}

}  // namespace
