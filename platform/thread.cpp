// Threads whose handles can be waited on.
#include "platform/sync.h"

#include "platform/kernel_object.h"

#include <atomic>
#include <thread>

namespace platform {
namespace {

class ThreadObject : public Waitable {
 public:
  bool IsSignalled() const override { return ended_; }
  // WaitLock() held for both.
  void Finish(DWORD code) {
    exitCode_ = code;
    ended_ = true;
    WakeWaiters();
  }
  DWORD ExitCode() const { return ended_ ? exitCode_ : STILL_ACTIVE; }
  bool Ended() const { return ended_; }

 private:
  bool ended_ = false;
  DWORD exitCode_ = 0;
};

std::atomic<DWORD> nextThreadId{1};

DWORD NewThreadId() { return nextThreadId.fetch_add(1); }

thread_local DWORD currentThreadId = 0;

}  // namespace
}  // namespace platform

extern "C" {

HANDLE CreateThread(void*, size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD threadId) {
  if (start == nullptr || flags != 0) return nullptr;
  auto object = std::make_shared<platform::ThreadObject>();
  const DWORD id = platform::NewThreadId();
  HANDLE handle = platform::AddHandle(object);
  try {
    // The thread keeps its own reference, so its handle may be closed at
    // any time. It finishes inside this library, so the caller's module may
    // be unloaded as soon as the handle is signalled.
    std::thread([object, start, parameter, id] {
      platform::currentThreadId = id;
      DWORD code = start(parameter);
      std::lock_guard<std::mutex> guard(platform::WaitLock());
      object->Finish(code);
    }).detach();
  } catch (const std::system_error&) {
    platform::RemoveHandle(handle);
    return nullptr;
  }
  if (threadId != nullptr) *threadId = id;
  return handle;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto t = platform::FindHandleAs<platform::ThreadObject>(thread);
  if (!t || exitCode == nullptr) return FALSE;
  std::lock_guard<std::mutex> guard(platform::WaitLock());
  *exitCode = t->ExitCode();
  return TRUE;
}

DWORD GetCurrentThreadId() {
  if (platform::currentThreadId == 0) platform::currentThreadId = platform::NewThreadId();
  return platform::currentThreadId;
}

BOOL TerminateThread(HANDLE thread, DWORD) {
  auto t = platform::FindHandleAs<platform::ThreadObject>(thread);
  if (!t) return FALSE;
  std::lock_guard<std::mutex> guard(platform::WaitLock());
  return t->Ended() ? TRUE : FALSE;
}

}  // extern "C"
