#include "reader/status_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusTexts, PaneTextPieces) {
  EXPECT_EQ(BatteryText(57), u"57%");
  EXPECT_EQ(BatteryText(std::nullopt), u"??%");
  EXPECT_EQ(BatteryText(101), u"??%");
  // 2001 bytes at page start 2000: page 3 of 3.
  EXPECT_EQ(PagesText(1, 2, 3, 2000, 1, 2001), u"3/3");
  EXPECT_EQ(PagesText(1, -1, 0, 0, 0, 0), u"0/0");
  EXPECT_EQ(PagesText(2, 2, 3, 2000, 1, 2001), u"P:100%");
  EXPECT_EQ(PagesText(2, 0, 3, 0, 999, 2001), u"P:49%");
  EXPECT_EQ(PagesText(2, 0, 0, 0, 0, 0), u"P:0%");
  EXPECT_EQ(PagesText(2, 0, 1, 900, 500, 1000), u"P:100%");  // clamped
  EXPECT_EQ(PagesText(0, 0, 1, 0, 10, 10), u"");
  EXPECT_EQ(TimeText(7, 5), u"07:05");
  EXPECT_EQ(PaneText(u"57%", u"3/3", u"07:05"), u" 57% 3/3 07:05 ");
  EXPECT_EQ(PaneText(u"", u"P:4%", u""), u" P:4% ");
  EXPECT_EQ(PaneText(u"", u"", u""), u"");
}

}  // namespace
