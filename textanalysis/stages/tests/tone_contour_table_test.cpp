// The tone contour table: its line format, its failures and its lookup.
#include "textanalysis/stages/tone_contour_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/code_pages.h"

namespace {

constexpr std::array<bool, 4> kPlusPlusMinusMinus = {true, true, false, false};
constexpr std::array<bool, 4> kAllClear = {false, false, false, false};

// Keys "32/0/++--" and "33/0/++--"; lists 0 to 5.
const char* const kRange = "3\t2-3 / 0 / ++ -- (..)(.) (!) (NULL)(?) (?.) () (,)";
const char* const kWord = "5 6 / ну / -- --  (-)   (x) (y) (z) (w) (v)";

TEST(ToneContourTableTest, RangesExpandAndListsAreChosenByGrade) {
  ToneContourTable table;
  ASSERT_TRUE(table.LoadLines({"# before after / text / flags lists", kRange, kWord}));
  EXPECT_EQ(table.Size(), 3u);
  // Grades 0 and 1 (and -1) read list 0, 2 and 3 list 2, 4 and above list 4.
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, -1), "(..)");
  EXPECT_EQ(table.Lookup(2, 3, "", kPlusPlusMinusMinus, 1), "(..)");
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, 3), "(.)");  // "(NULL)"
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, 4), "(.)");  // empty list
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, 99), "(.)");
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, -2), "(.)");
  // Counts are capped before the key is made; the text stands as it is.
  EXPECT_EQ(table.Lookup(4, 6, "ну", kAllClear, 0), "(-)");
  EXPECT_EQ(table.Lookup(100, 1000, "ну", kAllClear, 2), "(y)");
  EXPECT_EQ(table.Lookup(100, 1000, "ну", kAllClear, 5), "(w)");
  // Anything else is missing.
  EXPECT_EQ(table.Lookup(2, 4, "", kPlusPlusMinusMinus, 0), "(.)");
  EXPECT_EQ(table.Lookup(2, 2, "", kAllClear, 0), "(.)");
  EXPECT_EQ(table.Lookup(3, 6, "ну", kAllClear, 0), "(.)");
}

TEST(ToneContourTableTest, MalformedLinesEmptyTheTable) {
  ToneContourTable table;
  for (const char* bad : {
           "3 2 / 0 / ++ -- (.) (.) (.) (.) (.)",          // 12 fields
           "3 2 / 0 / ++ -- (.) (.) (.) (.) (.) (.) (.)",  // 14 fields
           "3 x / 0 / ++ -- (.) (.) (.) (.) (.) (.)",      // not a number
           "3 2- / 0 / ++ -- (.) (.) (.) (.) (.) (.)",     // half a range
           "3 -2 / 0 / ++ -- (.) (.) (.) (.) (.) (.)",
           "3 3-2 / 0 / ++ -- (.) (.) (.) (.) (.) (.)",    // backwards
           "3 0-5000 / 0 / ++ -- (.) (.) (.) (.) (.) (.)",  // too wide
       }) {
    ASSERT_TRUE(table.LoadLines({kWord}));
    EXPECT_FALSE(table.LoadLines({kRange, bad})) << bad;
    EXPECT_EQ(table.Size(), 0u) << bad;
    EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, 0), "(.)") << bad;
  }
}

TEST(ToneContourTableTest, LoadsAFileSkippingComments) {
  const std::filesystem::path path =
      std::filesystem::path(::testing::TempDir()) / "tone_contours.txt";
  std::ofstream(path) << "# contours\r\n" << kRange << "\r\n\r\n#" << kWord << "\n";
  ToneContourTable table;
  ASSERT_TRUE(table.Load(NarrowToWide(path.string())));
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(table.Lookup(2, 2, "", kPlusPlusMinusMinus, 2), "(.)");
  EXPECT_EQ(table.Lookup(2, 3, "", kPlusPlusMinusMinus, 0), "(..)");
  std::filesystem::remove(path);
  EXPECT_FALSE(table.Load(NarrowToWide(path.string())));
  EXPECT_EQ(table.Size(), 0u);
}

}  // namespace
