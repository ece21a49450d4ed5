#include "phonetic/debug_log.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

class DebugLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = "tonvar-log-" + std::to_string(getpid()) + ".txt";
    fileName_ = std::u16string(name.begin(), name.end());
    path_ = std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
    std::filesystem::remove(path_);
    ASSERT_TRUE(log_.OpenLogFile(fileName_));
  }
  void TearDown() override { std::filesystem::remove(path_); }

  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::u16string fileName_;
  std::filesystem::path path_;
  DebugLog log_;
};

TEST_F(DebugLogTest, VerbositySelectsEntriesAndTheirForm) {
  const char* source = "C:\\sources\\phonetic.cpp";
  log_.SetSource(source, 42).LogError(u"silent");
  log_.SetVerbosity(1);
  log_.SetSource(source, 42).LogError(u"error %d", 1);
  log_.SetSource(source, 42).LogInfo(u"not at 1");
  log_.SetVerbosity(2);
  log_.SetSource(source, 42).LogInfo(u"two\r\nlines in %s", "base");
  log_.SetSource(source, 42).LogDevInfo(u"not at 2");
  log_.SetVerbosity(3);
  log_.SetSource(source, 42).LogDevInfo(u"dev");
  log_.SetSource("src/log.cpp", 7).LogInfo(u"info");
  log_.SetSource("plain.cpp", 9).LogError(u"error");
  log_.SetVerbosity(4);
  log_.SetSource(source, 42).LogError(u"not at 4");
  EXPECT_EQ(Contents(),
            "12:00\tError\terror 1\r\n"
            "12:00\tInfo\ttwo||lines in base\r\n"
            "12:00\tDevInfo\tphonetic.cpp, 42\tdev\r\n"
            "12:00\tInfo\tlog.cpp, 7\tinfo\r\n"
            "12:00\tError\tplain.cpp, 9\terror\r\n");
}

// Each thread labels its entries with its own source and line: no entry
// may carry another thread's label, and no line may be cut.
TEST_F(DebugLogTest, EachEntryCarriesItsOwnThreadsSource) {
  log_.SetVerbosity(3);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t] {
      const std::string source = "dir\\thread" + std::to_string(t) + ".cpp";
      for (int n = 0; n < 300; ++n) log_.SetSource(source.c_str(), t).LogInfo(u"from %d", t);
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(Contents());
  std::string line;
  int count = 0;
  int mislabelled = 0;
  while (std::getline(lines, line)) {
    const char t = line.back() == '\r' ? line[line.size() - 2] : '?';
    const std::string expected =
        std::string("12:00\tInfo\tthread") + t + ".cpp, " + t + "\tfrom " + t + "\r";
    if (line != expected) ++mislabelled;
    ++count;
  }
  EXPECT_EQ(count, 1200);
  EXPECT_EQ(mislabelled, 0);
}

}  // namespace
