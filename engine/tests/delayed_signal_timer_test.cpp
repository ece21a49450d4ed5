#include <gtest/gtest.h>

#include <chrono>

#include "engine/delayed_signal_timer.h"
#include "platform/sync.h"

namespace {

using Clock = std::chrono::steady_clock;

class TimerEvent {
 public:
  TimerEvent() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~TimerEvent() { CloseHandle(event_); }
  HANDLE get() const { return event_; }

 private:
  HANDLE event_;
};

TEST(DelayedSignalTimer, SignalsAfterItsDelayEachTimeItIsGiven) {
  TimerEvent event;
  DelayedSignalTimer timer(event.get());
  // Idle, it signals nothing.
  EXPECT_EQ(WaitForSingleObject(event.get(), 50), WAIT_TIMEOUT);
  for (int round = 0; round < 2; ++round) {
    const auto start = Clock::now();
    timer.Set(120);
    ASSERT_EQ(WaitForSingleObject(event.get(), 20000), WAIT_OBJECT_0);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(120));
    ResetEvent(event.get());
  }
}

TEST(DelayedSignalTimer, MinusOneEndsItForGood) {
  TimerEvent event;
  DelayedSignalTimer timer(event.get());
  timer.Set(DelayedSignalTimer::kEnd);
  timer.Set(1);
  EXPECT_EQ(WaitForSingleObject(event.get(), 200), WAIT_TIMEOUT);
}

TEST(DelayedSignalTimer, EndingCutsALongDelayShort) {
  TimerEvent event;
  const auto start = Clock::now();
  {
    DelayedSignalTimer timer(event.get());
    timer.Set(600000);
  }
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(60));
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
}

}  // namespace
