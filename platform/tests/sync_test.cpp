#include "platform/sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

struct Handles {
  std::vector<HANDLE> list;
  ~Handles() {
    for (HANDLE h : list) CloseHandle(h);
  }
  HANDLE Event(bool manual, bool initial) {
    HANDLE h = CreateEventW(nullptr, manual, initial, nullptr);
    EXPECT_NE(h, nullptr);
    list.push_back(h);
    return h;
  }
};

TEST(Events, ManualResetStaysSignalledUntilReset) {
  Handles h;
  HANDLE e = h.Event(true, false);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(SetEvent(e));
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(e, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(ResetEvent(e));
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
}

TEST(Events, AutoResetIsConsumedByOneWait) {
  Handles h;
  HANDLE e = h.Event(false, true);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
  SetEvent(e);
  SetEvent(e);  // no count: still one wait's worth
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
}

TEST(Events, WaitForMultipleReportsLowestSignalledIndex) {
  Handles h;
  HANDLE events[4] = {h.Event(true, false), h.Event(false, false), h.Event(false, false),
                      h.Event(true, false)};
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, 0), WAIT_TIMEOUT);
  SetEvent(events[3]);
  SetEvent(events[2]);
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, 0), WAIT_OBJECT_0 + 2);
  // Only the reported auto-reset event was consumed.
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, 0), WAIT_OBJECT_0 + 3);
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, 5), WAIT_OBJECT_0 + 3);
  SetEvent(events[1]);
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(4, events, FALSE, 0), WAIT_OBJECT_0 + 3);
}

TEST(Events, WaitWakesWhenAnotherThreadSignals) {
  Handles h;
  HANDLE events[2] = {h.Event(true, false), h.Event(false, false)};
  std::thread signaller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(events[1]);
  });
  EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
  signaller.join();
  EXPECT_EQ(WaitForSingleObject(events[1], 0), WAIT_TIMEOUT);
}

TEST(Events, TimeOutComesAfterTheTime) {
  Handles h;
  HANDLE events[2] = {h.Event(true, false), h.Event(false, false)};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 30), WAIT_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

TEST(Events, BadArgumentsFail) {
  Handles h;
  HANDLE e = h.Event(true, true);
  HANDLE bogus = reinterpret_cast<HANDLE>(uintptr_t{0x7777});
  HANDLE mixed[2] = {e, bogus};
  EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(2, mixed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(0, mixed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(1, mixed, TRUE, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(bogus));
  EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, u"named"), nullptr);

  HANDLE closed = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  EXPECT_TRUE(CloseHandle(closed));
  EXPECT_FALSE(CloseHandle(closed));
  EXPECT_EQ(WaitForSingleObject(closed, 0), WAIT_FAILED);
}

struct ThreadArgs {
  HANDLE go;
  std::atomic<DWORD> seenId{0};
};

DWORD WaitForGoThenReturn(LPVOID p) {
  auto* args = static_cast<ThreadArgs*>(p);
  args->seenId = GetCurrentThreadId();
  WaitForSingleObject(args->go, INFINITE);
  return 42;
}

TEST(Threads, HandleSignalledWhenThreadEnds) {
  Handles h;
  ThreadArgs args;
  args.go = h.Event(true, false);
  DWORD id = 0;
  HANDLE t = CreateThread(nullptr, 0, WaitForGoThenReturn, &args, 0, &id);
  ASSERT_NE(t, nullptr);
  h.list.push_back(t);
  EXPECT_NE(id, 0u);

  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_FALSE(TerminateThread(t, 0));  // still running: cannot be killed here

  HANDLE waits[2] = {h.Event(true, false), t};
  SetEvent(args.go);
  EXPECT_EQ(WaitForMultipleObjects(2, waits, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
  // A thread stays signalled.
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(args.seenId.load(), id);
  EXPECT_NE(GetCurrentThreadId(), id);
}

DWORD ReturnSeven(LPVOID) { return 7; }

TEST(Threads, HandleMayBeClosedWhileRunningAndBadCallsFail) {
  HANDLE t = CreateThread(nullptr, 0, ReturnSeven, nullptr, 0, nullptr);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(CloseHandle(t));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(CreateThread(nullptr, 0, ReturnSeven, nullptr, CREATE_SUSPENDED, nullptr), nullptr);
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(t, &code));
}

TEST(CriticalSections, AreRecursiveAndExclusive) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EnterCriticalSection(&cs);
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = TryEnterCriticalSection(&cs); }).join();
  EXPECT_FALSE(otherGotIt);
  LeaveCriticalSection(&cs);
  std::thread([&] { otherGotIt = TryEnterCriticalSection(&cs); }).join();
  EXPECT_FALSE(otherGotIt);
  LeaveCriticalSection(&cs);
  std::thread([&] {
    otherGotIt = TryEnterCriticalSection(&cs);
    if (otherGotIt) LeaveCriticalSection(&cs);
  }).join();
  EXPECT_TRUE(otherGotIt);

  // Unguarded read-modify-write under the lock from several threads.
  long counter = 0;
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w)
    workers.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        EnterCriticalSection(&cs);
        long seen = counter;
        counter = seen + 1;
        LeaveCriticalSection(&cs);
      }
    });
  for (auto& w : workers) w.join();
  EXPECT_EQ(counter, 40000);
  DeleteCriticalSection(&cs);
}

TEST(Time, TickCountAdvancesWithSleep) {
  DWORD before = GetTickCount();
  Sleep(20);
  EXPECT_GE(static_cast<DWORD>(GetTickCount() - before), 20u);
}

}  // namespace
