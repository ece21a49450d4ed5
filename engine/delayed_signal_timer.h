// DelayedSignalTimer: a thread that, once given a delay, waits that long
// and then signals an event (the engine's buffer-done event).
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/types.h"

class DelayedSignalTimer {
 public:
  explicit DelayedSignalTimer(HANDLE event);
  // Ends the thread, also in the middle of a delay.
  ~DelayedSignalTimer();
  DelayedSignalTimer(const DelayedSignalTimer&) = delete;
  DelayedSignalTimer& operator=(const DelayedSignalTimer&) = delete;

  // Milliseconds until the signal; a delay given while another runs comes
  // after it. kEnd ends the timer for good: nothing is signalled after it.
  void Set(LONG milliseconds);

  static constexpr LONG kEnd = -1;

 private:
  void Run();

  const HANDLE event_;
  std::mutex lock_;
  std::condition_variable changed_;
  bool hasDelay_ = false;
  LONG delay_ = 0;
  bool ending_ = false;
  std::thread thread_;
};
