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
  log_.SetSource("C:\\sources\\phonetic.cpp", 42);
  log_.LogError(u"silent");
  log_.SetVerbosity(1);
  log_.LogError(u"error %d", 1);
  log_.LogInfo(u"not at 1");
  log_.SetVerbosity(2);
  log_.LogInfo(u"two\r\nlines in %s", "base");
  log_.LogDevInfo(u"not at 2");
  log_.SetVerbosity(3);
  log_.LogDevInfo(u"dev");
  log_.SetSource("src/log.cpp", 7);
  log_.LogInfo(u"info");
  log_.SetVerbosity(4);
  log_.LogError(u"not at 4");
  EXPECT_EQ(Contents(),
            "12:00\tError\terror 1\r\n"
            "12:00\tInfo\ttwo||lines in base\r\n"
            "12:00\tDevInfo\tphonetic.cpp, 42\tdev\r\n"
            "12:00\tInfo\tlog.cpp, 7\tinfo\r\n");
}

TEST_F(DebugLogTest, EntriesFromSeveralThreadsStayWhole) {
  log_.SetVerbosity(2);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t] {
      for (int n = 0; n < 200; ++n) log_.LogInfo(u"thread %d entry %03d", t, n);
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(Contents());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.size(), std::string("12:00\tInfo\tthread 0 entry 000\r").size()) << line;
    EXPECT_EQ(line.rfind("12:00\tInfo\tthread ", 0), 0u) << line;
    ++count;
  }
  EXPECT_EQ(count, 800);
}

}  // namespace
