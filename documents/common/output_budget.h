// What one conversion or extraction may still write under the process's
// OutputLimits. Passing a limit shows why once, and every later request is
// refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "documents/common/output_limits.h"

class OutputBudget {
 public:
  // The bytes go to a file in this folder.
  explicit OutputBudget(std::string folder = ".");

  // Before writing: whether the announced size (0: unknown) fits.
  bool Announce(int64_t size);
  // Counts n more bytes; reports progress and checks the disk now and then.
  bool Admit(size_t n);
  bool Exceeded() const { return exceeded_; }
  // The bytes counted so far.
  int64_t Written() const { return written_; }

 private:
  // Whether the file system keeps its margin after `more` bytes.
  bool HasRoomFor(int64_t more) const;
  bool Stop(bool tooLarge);

  OutputLimits limits_;
  std::string folder_;
  int64_t written_ = 0;
  int64_t nextCheck_;
  bool exceeded_ = false;
};
