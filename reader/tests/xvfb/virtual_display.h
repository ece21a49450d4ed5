// A virtual X display of its own for a test process: Xvfb picks a free
// display number and reports it (-displayfd), so runs never collide.
#pragma once

#include <string>
#include <sys/types.h>

class VirtualDisplay {
 public:
  VirtualDisplay() = default;
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // Starts Xvfb with one screen of that size ("800x600x24") and points
  // DISPLAY at it; false when Xvfb cannot be started.
  bool Start(const std::string& screen);

 private:
  pid_t pid_ = -1;
};
