// Scratch files of the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <unistd.h>

// A file path in the test's scratch folder, removed when the holder dies.
class ScratchFile {
 public:
  // CTest runs cases as parallel processes: the pid keeps their files apart.
  explicit ScratchFile(const std::string& name)
      : path_(::testing::TempDir() + std::to_string(getpid()) + "_" + name) {
    std::remove(path_.c_str());
  }
  ~ScratchFile() { std::remove(path_.c_str()); }

  const std::string& Narrow() const { return path_; }
  // The test folder's path is plain ASCII.
  std::u16string Wide() const { return std::u16string(path_.begin(), path_.end()); }

 private:
  std::string path_;
};
