#include <gtest/gtest.h>

#include <fstream>

#include "engine/file_routines.h"
#include "engine/tests/test_files.h"

namespace {

TEST(FileRoutines, SizeBySeekingIsMinusOneForWhatCannotBeOpened) {
  ScratchFile file("sized.bin");
  std::ofstream(file.Narrow(), std::ios::binary) << std::string(1234, 'x');
  EXPECT_EQ(FileSizeBySeeking(file.Wide()), 1234);
  std::ofstream(file.Narrow(), std::ios::binary | std::ios::trunc);
  EXPECT_EQ(FileSizeBySeeking(file.Wide()), 0);
  EXPECT_EQ(FileSizeBySeeking(u"/nonexistent-dir/none.bin"), -1);
  EXPECT_EQ(FileSizeBySeeking(u""), -1);
  const std::string folder = ::testing::TempDir();
  EXPECT_EQ(FileSizeBySeeking(std::u16string(folder.begin(), folder.end())), -1);
}

TEST(FileRoutines, WholeFileIntoAStringByteForByte) {
  ScratchFile file("whole.bin");
  // Line ends and NULs come back unchanged; longer than one read.
  std::string content("a\r\nb\0c", 6);
  content += std::string(70000, '\xE9');
  std::ofstream(file.Narrow(), std::ios::binary) << content;
  std::string read = "stale";
  ASSERT_TRUE(ReadFileToString(file.Wide(), read));
  EXPECT_EQ(read, content);
  EXPECT_FALSE(ReadFileToString(u"/nonexistent-dir/none.bin", read));
  EXPECT_EQ(read, "");
}

}  // namespace
