// A virtual X display for a test program. Xvfb left to pick a free number
// itself (-displayfd alone) can pick the one another server starting at the
// same moment picks; so each number is first claimed with a lock file that
// every test run takes (held while the server runs), and a server counts
// once it answers a client; else the next number is tried.
#pragma once

#include <string>
#include <sys/types.h>

class VirtualDisplay {
 public:
  VirtualDisplay() = default;
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // The program's one display, with one screen of that size ("800x600x24"),
  // started at the first call and kept until the program ends; DISPLAY
  // points at it. False when no Xvfb of ours could be started.
  static bool Shared(const std::string& screen);

  // Starts Xvfb and points DISPLAY at it; false when it cannot be started.
  bool Start(const std::string& screen);

 private:
  // One attempt on display :number, which this process has claimed.
  bool StartOn(int number, const std::string& screen);
  void Stop();

  pid_t pid_ = -1;
  int claim_ = -1;  // the locked claim on the display number
};
