#include "engine/delayed_signal_timer.h"

#include <chrono>

#include "platform/sync.h"

DelayedSignalTimer::DelayedSignalTimer(HANDLE event)
    : event_(event), thread_([this] { Run(); }) {}

DelayedSignalTimer::~DelayedSignalTimer() {
  // The thread is told to end and joined, never killed: a killed thread
  // could die holding the lock.
  Set(kEnd);
  thread_.join();
}

void DelayedSignalTimer::Set(LONG milliseconds) {
  std::lock_guard<std::mutex> guard(lock_);
  if (milliseconds == kEnd) {
    ending_ = true;
  } else {
    hasDelay_ = true;
    delay_ = milliseconds;
  }
  changed_.notify_all();
}

void DelayedSignalTimer::Run() {
  std::unique_lock<std::mutex> lock(lock_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || hasDelay_; });
    if (ending_) return;
    hasDelay_ = false;
    const auto delay = std::chrono::milliseconds(delay_);
    if (changed_.wait_for(lock, delay, [this] { return ending_; })) return;
    SetEvent(event_);
  }
}
