#include <gtest/gtest.h>

#include "documents/common/output_limits.h"
#include "platform/window/headless_backend.h"
#include "reader/conversion_progress.h"

TEST(ConversionProgressTest, TheTitleCountsMegabytesAndComesBackAfterwards) {
  HeadlessBackend backend;
  HeadlessHost host(backend, u"Parlen");
  {
    ConversionProgress progress(host, u"book.rtf");
    ASSERT_TRUE(CurrentOutputLimits().progress);
    CurrentOutputLimits().progress(int64_t{12} << 20);
    EXPECT_EQ(host.Title(), u"book.rtf: 12 МБ");
    EXPECT_TRUE(host.WaitCursor());
    CurrentOutputLimits().progress((int64_t{3} << 30) + 1);
    EXPECT_EQ(host.Title(), u"book.rtf: 3072 МБ");
  }
  EXPECT_EQ(host.Title(), u"Parlen");
  EXPECT_FALSE(CurrentOutputLimits().progress);
}
