#include <gtest/gtest.h>

#include <vector>

#include "engine/ima_adpcm.h"

namespace {

// Worked by hand from the step and index tables, starting at predictor 0,
// index 0:
//   100: diff 100, step 7  -> code 7; predictor 0 + (0+7+3+1) = 11, index 8
//   200: diff 189, step 16 -> code 7; predictor 11 + (2+16+8+4) = 41, index 16
//   -50: diff -91, step 34 -> code 15; predictor 41 - (4+34+17+8) = -22, index 24
// Three samples: flag byte 1, the last low nibble is padding.
TEST(ImaAdpcmTest, EncodesAndDecodesKnownBytes) {
  const int16_t samples[] = {100, 200, -50};
  std::vector<BYTE> unit;
  ImaAdpcmEncode(samples, 3, unit);
  EXPECT_EQ(unit, (std::vector<BYTE>{0x01, 0x77, 0xF0}));

  std::vector<int16_t> decoded = {5};
  ImaAdpcmDecode(unit.data(), unit.size(), decoded);
  EXPECT_EQ(decoded, (std::vector<int16_t>{5, 11, 41, -22}));

  std::vector<BYTE> even;
  ImaAdpcmEncode(samples, 2, even);
  EXPECT_EQ(even, (std::vector<BYTE>{0x00, 0x77}));
}

TEST(ImaAdpcmTest, SampleCountFollowsFlagByteAndEmptyUnitsStayEmpty) {
  std::vector<BYTE> unit(101, 0);
  unit[0] = 1;
  EXPECT_EQ(ImaAdpcmSampleCount(unit.data(), unit.size()), 199u);
  unit[0] = 0;
  EXPECT_EQ(ImaAdpcmSampleCount(unit.data(), unit.size()), 200u);

  const BYTE flagOnly[] = {1};
  EXPECT_EQ(ImaAdpcmSampleCount(flagOnly, 1), 0u);
  EXPECT_EQ(ImaAdpcmSampleCount(flagOnly, 0), 0u);
  std::vector<int16_t> decoded;
  ImaAdpcmDecode(flagOnly, 1, decoded);
  ImaAdpcmDecode(flagOnly, 0, decoded);
  EXPECT_TRUE(decoded.empty());

  std::vector<BYTE> encoded;
  ImaAdpcmEncode(nullptr, 0, encoded);
  EXPECT_EQ(encoded, (std::vector<BYTE>{0x00}));
}

TEST(ImaAdpcmTest, PredictorStopsAtPlusMinus32767) {
  std::vector<BYTE> up(21, 0x77);
  up[0] = 0;
  std::vector<BYTE> down(21, 0xFF);
  down[0] = 0;
  std::vector<int16_t> high;
  std::vector<int16_t> low;
  ImaAdpcmDecode(up.data(), up.size(), high);
  ImaAdpcmDecode(down.data(), down.size(), low);
  ASSERT_EQ(high.size(), 40u);
  EXPECT_EQ(high.back(), 32767);
  EXPECT_EQ(low.back(), -32767);
  for (int16_t sample : low) EXPECT_GE(sample, -32767);
}

}  // namespace
