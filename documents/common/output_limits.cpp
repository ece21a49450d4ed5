#include "documents/common/output_limits.h"

#include <sys/statvfs.h>

OutputLimits& CurrentOutputLimits() {
  static OutputLimits limits = [] {
    OutputLimits defaults;
    defaults.freeSpace = FileSystemFreeSpace;
    return defaults;
  }();
  return limits;
}

int64_t FileSystemFreeSpace(const std::string& folder) {
  struct statvfs info;
  if (statvfs(folder.c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}
