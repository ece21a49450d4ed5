#include "documents/common/output_budget.h"

#include <algorithm>
#include <utility>

#include "documents/common/conversion_message.h"

OutputBudget::OutputBudget(std::string folder)
    : limits_(CurrentOutputLimits()),
      folder_(std::move(folder)),
      nextCheck_(std::max<int64_t>(limits_.progressStep, 1)) {}

bool OutputBudget::Announce(int64_t size) {
  if (exceeded_) return false;
  if (size > limits_.largestFile) return Stop(true);
  if (!HasRoomFor(size)) return Stop(false);
  return true;
}

bool OutputBudget::Admit(size_t n) {
  if (exceeded_) return false;
  written_ += static_cast<int64_t>(n);
  if (written_ > limits_.largestFile) return Stop(true);
  if (written_ >= nextCheck_) {
    nextCheck_ = written_ + std::max<int64_t>(limits_.progressStep, 1);
    if (limits_.progress) limits_.progress(written_);
    if (!HasRoomFor(0)) return Stop(false);
  }
  return true;
}

bool OutputBudget::HasRoomFor(int64_t more) const {
  if (!limits_.freeSpace) return true;
  const int64_t free = limits_.freeSpace(folder_);
  return free < 0 || free - more >= limits_.freeSpaceMargin;
}

bool OutputBudget::Stop(bool tooLarge) {
  exceeded_ = true;
  const int64_t megabytes = (tooLarge ? limits_.largestFile : limits_.freeSpaceMargin) >> 20;
  ShowConversionStop(
      tooLarge ? "Stopped: the file would be larger than " + std::to_string(megabytes) +
                     " MB, the largest document the reader opens. Nothing was kept."
               : "Stopped: less than " + std::to_string(megabytes) +
                     " MB would be left free on the disk. Nothing was kept.");
  return false;
}
