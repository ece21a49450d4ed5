#include <gtest/gtest.h>

#include <algorithm>

#include "tools/voice_build/unit_names.h"

namespace {

bool Has(const std::vector<std::string>& names, const std::string& name) {
  return std::binary_search(names.begin(), names.end(), name);
}

TEST(UnitNamesTest, EveryNameAndItsSubstitute) {
  const auto names = AllUnitNames();
  ASSERT_TRUE(std::is_sorted(names.begin(), names.end()));
  for (const char* name : {"M-A0", "A0-M", "T-L", "T", "SH'-#", "ZH-_", "A0-#", "I1-J'", "U2-O",
                           "Y1", "I2-K'", "E2-C", "Y2-T"})
    EXPECT_TRUE(Has(names, name)) << name;
  // Partially stressed vowels come through their substitutes only; "O"
  // never goes unstressed.
  for (const char* name : {"A5-T", "T-A5", "O1-T", "T-O2", "_", "#"}) EXPECT_FALSE(Has(names, name)) << name;
}

TEST(UnitNamesTest, NearestContextKeepsSoftnessPlaceAndVoicing) {
  // Softness first, then place, then manner and voicing.
  EXPECT_LT(UnitNameDistance("A0-T'", "A0-D'"), UnitNameDistance("A0-T'", "A0-T"));
  EXPECT_LT(UnitNameDistance("A0-T'", "A0-S'"), UnitNameDistance("A0-T'", "A0-K'"));
  EXPECT_LT(UnitNameDistance("T-A0", "T-A1"), UnitNameDistance("T-A0", "T-O0"));
  EXPECT_LT(UnitNameDistance("T-#", "T-_"), UnitNameDistance("T-#", "T"));
  EXPECT_LT(UnitNameDistance("T", "T-L"), UnitNameDistance("T", "T-A0"));
  // Another phoneme is farther than any context of the same one.
  EXPECT_LT(UnitNameDistance("A0-T'", "A0-#"), UnitNameDistance("A0-T'", "A1-T'"));
  EXPECT_EQ(UnitNameDistance("M-A0", "M-A0"), 0);
}

}  // namespace
