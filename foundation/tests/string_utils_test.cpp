#include "foundation/string_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

TEST(StringUtilsTest, IntToString) {
  EXPECT_EQ(IntToString(0), "0");
  EXPECT_EQ(IntToString(1234), "1234");
  EXPECT_EQ(IntToString(-56), "-56");
  EXPECT_EQ(IntToString(INT_MIN), "-2147483648");
}

TEST(StringUtilsTest, Backslashes) {
  std::string path = "dir";
  AppendBackslash(path);
  EXPECT_EQ(path, "dir\\");
  AppendBackslash(path);
  EXPECT_EQ(path, "dir\\");
  std::string empty;
  AppendBackslash(empty);
  EXPECT_EQ(empty, "");
  std::u16string wide = u"папка";
  AppendBackslashWide(wide);
  EXPECT_EQ(wide, u"папка\\");
  AppendBackslashWide(wide);
  EXPECT_EQ(wide, u"папка\\");
  std::u16string wideEmpty;
  AppendBackslashWide(wideEmpty);
  EXPECT_EQ(wideEmpty, u"");
  const std::string original = "a\\b";
  EXPECT_EQ(WithBackslash(original), "a\\b\\");
  EXPECT_EQ(original, "a\\b");
  EXPECT_EQ(WithBackslash(""), "");
  EXPECT_EQ(JoinPath("/data", "base.dat"), "/data/base.dat");
  EXPECT_EQ(JoinPath("/data/", "base.dat"), "/data/base.dat");
  EXPECT_EQ(JoinPath("\\Data\\", "base.dat"), "\\Data\\base.dat");
  EXPECT_EQ(JoinPath("", "base.dat"), "base.dat");
}

TEST(StringUtilsTest, TrimRemovesBlanksTabsAndLineFeedsOnly) {
  std::string text = " \t\nслово  с пробелом\n\t ";
  Trim(text);
  EXPECT_EQ(text, "слово  с пробелом");
  std::string onlyBlanks = " \n\t ";
  Trim(onlyBlanks);
  EXPECT_EQ(onlyBlanks, "");
  std::string carriageReturn = "\rx\r";
  Trim(carriageReturn);
  EXPECT_EQ(carriageReturn, "\rx\r");
  std::string same = "  y ";
  TrimText(same);
  EXPECT_EQ(same, "y");
  std::u16string wide = u"\t ширина \n";
  Trim(wide);
  EXPECT_EQ(wide, u"ширина");
  std::u16string wideBlank = u" \t";
  Trim(wideBlank);
  EXPECT_EQ(wideBlank, u"");
}

TEST(StringUtilsTest, StripCommentKeepsTheTextBetweenBlanksAndComment) {
  std::string line = "   text here \t // a comment // more";
  StripComment(line);
  EXPECT_EQ(line, "text here");
  std::string noComment = "\r\n value \r\n";
  StripComment(noComment);
  EXPECT_EQ(noComment, "value");
  std::string onlyComment = "  // nothing";
  StripComment(onlyComment);
  EXPECT_EQ(onlyComment, "");
  std::string single = "a / b";
  StripComment(single);
  EXPECT_EQ(single, "a / b");
}

TEST(StringUtilsTest, EndsWithNeedsAStrictlyLongerText) {
  EXPECT_FALSE(EndsWith("ing", "ing"));
  EXPECT_TRUE(EndsWith("going", "ing"));
  EXPECT_FALSE(EndsWith("gone", "ing"));
  EXPECT_FALSE(EndsWith("ng", "ing"));
  EXPECT_TRUE(EndsWith("a", ""));
  EXPECT_FALSE(EndsWith("", ""));
}

TEST(StringUtilsTest, ReplaceAllResumesAfterTheReplacement) {
  std::string text = "aa";
  ReplaceAll(text, "a", "aa");
  EXPECT_EQ(text, "aaaa");
  std::string words = "один два один";
  ReplaceAll(words, "один", "три");
  EXPECT_EQ(words, "три два три");
  std::string shrink = "xxxx";
  ReplaceAll(shrink, "xx", "x");
  EXPECT_EQ(shrink, "xx");
  std::string none = "abc";
  ReplaceAll(none, "", "z");
  EXPECT_EQ(none, "abc");
  std::string erase = "a-b-c";
  ReplaceAll(erase, "-", "");
  EXPECT_EQ(erase, "abc");
}

TEST(StringUtilsTest, ReplaceAllRange) {
  const std::string replacement = "<>";
  std::string text = "a.b.c";
  EXPECT_EQ(ReplaceAllRange(text, ".", replacement.data(), replacement.data() + 2), -1);
  EXPECT_EQ(text, "a<>b<>c");
  std::string none = "abc";
  EXPECT_EQ(ReplaceAllRange(none, "x", replacement.data(), replacement.data() + 1), -1);
  EXPECT_EQ(none, "abc");
}

TEST(StringUtilsTest, ReverseIntoString) {
  std::string out = "stale";
  ReverseIntoString({'a', 'b', 0, 'c'}, out);
  EXPECT_EQ(out, std::string("c\0ba", 4));
  ReverseIntoString({}, out);
  EXPECT_EQ(out, "");
}

TEST(StringUtilsTest, SplitWords) {
  Pieces out = {"stale"};
  SplitWords(" one\ttwo\r\nthree\f\vfour  ", out);
  EXPECT_EQ(out, (Pieces{"one", "two", "three", "four"}));
  SplitWords("   ", out);
  EXPECT_TRUE(out.empty());
  SplitWords("мама мыла", out);
  EXPECT_EQ(out, (Pieces{"мама", "мыла"}));
}

TEST(StringUtilsTest, SplitByCharDropsEmptyPiecesAndTrims) {
  Pieces out = {"stale"};
  SplitByChar(" a ,,b\t, ,c ", out, ',');
  EXPECT_EQ(out, (Pieces{"a", "b", "c"}));
  SplitByChar("", out, ',');
  EXPECT_TRUE(out.empty());
  SplitByChar("whole", out, ',');
  EXPECT_EQ(out, (Pieces{"whole"}));
}

TEST(StringUtilsTest, SplitWide) {
  std::vector<std::u16string> out = {u"stale"};
  SplitWide(u" один ;;два; ", out, u';');
  EXPECT_EQ(out, (std::vector<std::u16string>{u"один", u"два"}));
}

TEST(StringUtilsTest, SplitAtLettersCutsAtAsciiLetters) {
  Pieces out;
  SplitAtLetters("12a 34 bc5,6", out);
  EXPECT_EQ(out, (Pieces{"12", "34", "5,6"}));
  SplitAtLetters("абв", out);
  EXPECT_EQ(out, (Pieces{"абв"}));
}

TEST(StringUtilsTest, SplitTabbed) {
  Pieces out;
  SplitTabbed("a b\t\t c \td", out);
  EXPECT_EQ(out, (Pieces{"a b", "c", "d"}));
}

TEST(StringUtilsTest, SplitByAny) {
  Pieces out = {"stale"};
  SplitByAny("dir/sub\\ file /", out, "/\\");
  EXPECT_EQ(out, (Pieces{"dir", "sub", "file"}));
  const std::vector<BYTE> bytes = {'a', ';', ' ', 'b', ':', ':', 'c'};
  SplitByAny(bytes, out, ";:");
  EXPECT_EQ(out, (Pieces{"a", "b", "c"}));
}

TEST(StringUtilsTest, SplitByAnyKeepingAddsKeptSeparators) {
  Pieces out;
  SplitByAnyKeeping("a+b", out, "+", "+");
  EXPECT_EQ(out, (Pieces{"a", "+", "b"}));
  SplitByAnyKeeping(" x , y+z ", out, ",+", "+");
  EXPECT_EQ(out, (Pieces{"x", "y", "+", "z"}));
  SplitByAnyKeeping("++", out, "+", "+");
  EXPECT_EQ(out, (Pieces{"+", "+"}));
}

TEST(StringUtilsTest, SplitListTreatsARunOfCommasAsOne) {
  const std::string text = ",a,,b , c,";
  EXPECT_EQ(SplitList(text), (Pieces{"a", "b ", " c"}));
  EXPECT_EQ(text, ",a,,b , c,");
  EXPECT_TRUE(SplitList("").empty());
  EXPECT_TRUE(SplitList(",,,").empty());
}

TEST(StringUtilsTest, JoinList) {
  EXPECT_EQ(JoinList({}), "");
  EXPECT_EQ(JoinList({"a"}), "a");
  EXPECT_EQ(JoinList({"a", "b", "c"}), "a,b,c");
}

TEST(StringUtilsTest, JoinPairList) {
  EXPECT_EQ(JoinPairList({}), "");
  EXPECT_EQ(JoinPairList({{"a", "1"}}), "a,1");
  EXPECT_EQ(JoinPairList({{"a", "1"}, {"b", "2"}}), "a,1,b,2");
}

}  // namespace
