// How much a conversion or an extraction may write: never more than the
// largest document the reader opens, never so much that the disk is left
// almost full. Long writes report their progress.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct OutputLimits {
  // The largest document the reader opens.
  int64_t largestFile = int64_t{2} << 30;
  // What must stay free on the target's file system.
  int64_t freeSpaceMargin = int64_t{64} << 20;
  // Free bytes on the file system of a folder; -1 when unknown.
  std::function<int64_t(const std::string& folder)> freeSpace;
  // Called after every progressStep bytes written, with the count so far.
  int64_t progressStep = int64_t{4} << 20;
  std::function<void(int64_t written)> progress;
};

// The limits every conversion and extraction of the process writes under.
// The reader installs its progress report here; tests narrow the limits
// for a while with ScopedOutputLimits.
OutputLimits& CurrentOutputLimits();

class ScopedOutputLimits {
 public:
  explicit ScopedOutputLimits(OutputLimits limits) : saved_(CurrentOutputLimits()) {
    CurrentOutputLimits() = std::move(limits);
  }
  ~ScopedOutputLimits() { CurrentOutputLimits() = std::move(saved_); }
  ScopedOutputLimits(const ScopedOutputLimits&) = delete;
  ScopedOutputLimits& operator=(const ScopedOutputLimits&) = delete;

 private:
  OutputLimits saved_;
};

// Free bytes for an unprivileged user on the folder's file system; -1 when
// it cannot be asked.
int64_t FileSystemFreeSpace(const std::string& folder);
