#include "phonetic/allophone_rule_base.h"

#include <gtest/gtest.h>

#include "phonetic/tests/test_files.h"
#include "platform/message_box.h"

namespace {

// T looks right (V flagged, so one step further) and left (F flagged);
// A0 has only a table for distance 2.
std::string SampleBase() {
  BaseBytes b;
  b.Int32(2);
  b.Str("A0").Str("0_n").Pairs({{"-", "0_edge"}});
  b.Int32(1).Int32(2).Pairs({{"T", "X"}});
  b.Int32(0);
  b.Str("T").Str("_d\n").Pairs({{"-V", "_v"}, {"-V,N", "_vn\n"}, {"C-V", "_cv"}, {"C,F-", "_fc"}});
  b.Int32(2).Int32(1).Pairs({{"A0", "V"}, {"A1", "W"}}).Int32(2).Pairs({{"N", "N"}});
  b.Int32(2).Int32(1).Pairs({{"S", "F"}, {"K", "C"}}).Int32(2).Pairs({{"K", "C"}});
  b.Int32(2);
  b.Str("A0").Int32(1).Int32(2).Int32(1).Int32(0).Int32(0);
  b.Str("T").Int32(0).Int32(90).Int32(19).Int32(7).Int32(8);
  b.Int32(1).Str("Vow").Int32(2).Str("A0").Str("A1");
  b.Int32(3).Str("V").Byte(1).Str("F").Byte(1).Str("C").Byte(0);
  return b.Bytes();
}

std::string Apply(const AllophoneRuleBase& base, std::vector<std::string> tokens, size_t i) {
  return base.ApplyAllophoneRules(tokens, i);
}

class AllophoneRuleBaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(base_.LoadCompiledRuleBase(dir_.Write("base.bin", SampleBase()))); }

  void ExpectSampleLoaded() {
    EXPECT_EQ(Apply(base_, {"T", "A0"}, 0), "T_v");
    EXPECT_EQ(Apply(base_, {"K", "T", "A0"}, 1), "T_cv");
  }

  ScratchDir dir_;
  AllophoneRuleBase base_;
};

TEST_F(AllophoneRuleBaseTest, ContextKeysChooseTheSuffix) {
  // No neighbours: the default, without its trailing line feed.
  EXPECT_EQ(Apply(base_, {"T"}, 0), "T_d");
  // Flagged V looks one further; the end of the list stops it.
  EXPECT_EQ(Apply(base_, {"T", "A0"}, 0), "T_v");
  // A suffix found in the context map keeps its line feed.
  EXPECT_EQ(Apply(base_, {"T", "A0", "N"}, 0), "T_vn\n");
  // W is not flagged, so N is not looked at, and "-W" is unknown.
  EXPECT_EQ(Apply(base_, {"T", "A1", "N"}, 0), "T_d");
  // Left labels: C is not flagged; F is, and the key lists farthest first.
  EXPECT_EQ(Apply(base_, {"K", "T", "A0"}, 1), "T_cv");
  EXPECT_EQ(Apply(base_, {"K", "S", "T"}, 2), "T_fc");
  EXPECT_EQ(Apply(base_, {"S", "T"}, 1), "T_d");
  // A neighbour missing from the distance-1 table ends the look.
  EXPECT_EQ(Apply(base_, {"#", "T", "#"}, 1), "T_d");
}

TEST_F(AllophoneRuleBaseTest, RecordWithoutDistanceOneTable) {
  // The right key stays empty, so the key is "-": the stress digit is cut
  // from the phoneme and the suffix brings its own.
  EXPECT_EQ(Apply(base_, {"#", "A0", "T"}, 1), "A0_edge");
  EXPECT_EQ(Apply(base_, {"A0"}, 0), "A0_edge");
  // Phonemes without a record, and positions outside the list, give nothing.
  EXPECT_EQ(Apply(base_, {"A1"}, 0), "");
  EXPECT_EQ(Apply(base_, {"T"}, 1), "");
}

TEST_F(AllophoneRuleBaseTest, FlaggedEmptyLabelLooksPastAGap) {
  BaseBytes b;
  b.Int32(1).Str("T").Str("_d").Pairs({{"-V", "_gap"}});
  b.Int32(1).Int32(2).Pairs({{"A0", "V"}}).Int32(0);
  b.Int32(0).Int32(0).Int32(1).Str("").Byte(1);
  ASSERT_TRUE(base_.LoadCompiledRuleBase(dir_.Write("gap.bin", b.Bytes())));
  EXPECT_EQ(Apply(base_, {"T", "N", "A0"}, 0), "T_gap");
}

TEST_F(AllophoneRuleBaseTest, EveryTruncationFailsAndKeepsTheLoadedBase) {
  const std::string full = SampleBase();
  MessageBoxCapture boxes;
  for (size_t length = 0; length < full.size(); ++length) {
    const std::u16string path = dir_.Write("cut.bin", full.substr(0, length));
    EXPECT_FALSE(base_.LoadCompiledRuleBase(path)) << "length " << length;
  }
  EXPECT_EQ(boxes.Count(), 0u);
  ExpectSampleLoaded();
}

TEST_F(AllophoneRuleBaseTest, NegativeLengthsAndCountsFail) {
  const std::string negativeLength = BaseBytes().Int32(1).Byte(0x85).Bytes() + std::string(200, 'A');
  EXPECT_FALSE(base_.LoadCompiledRuleBase(dir_.Write("len.bin", negativeLength)));
  const std::string negativeCount = BaseBytes().Int32(-1).Int32(0).Int32(0).Int32(0).Bytes();
  EXPECT_FALSE(base_.LoadCompiledRuleBase(dir_.Write("count.bin", negativeCount)));
  const std::string hugeCount = BaseBytes().Int32(0).Int32(0x7FFFFFFF).Str("X").Bytes();
  EXPECT_FALSE(base_.LoadCompiledRuleBase(dir_.Write("huge.bin", hugeCount)));
  ExpectSampleLoaded();
}

TEST_F(AllophoneRuleBaseTest, MissingFileIsReported) {
  MessageBoxCapture boxes;
  const std::u16string path = dir_.WidePath("missing.bin");
  EXPECT_EQ(base_.LoadRuleBaseOrReport(path), E_FAIL);
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, path);
  EXPECT_EQ(shown[0].caption, u"StressBase cannot open file");
  EXPECT_EQ(shown[0].type, MB_OK);
  EXPECT_EQ(shown[1].text, u"NotLoadBase");
  EXPECT_EQ(shown[1].caption, u"Error");
  EXPECT_EQ(shown[1].type, MB_OK | MB_ICONERROR);
  ExpectSampleLoaded();
}

}  // namespace
