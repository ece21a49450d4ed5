// Handle table, events and waits.
#include "platform/sync.h"

#include "platform/kernel_object.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <unordered_map>

namespace platform {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  // Steps of 4 keep handle values looking like Windows ones and away from
  // 0 and INVALID_HANDLE_VALUE.
  uintptr_t next = 0x1000;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives static destructors
  return *table;
}

class Event : public Waitable {
 public:
  Event(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}
  bool IsSignalled() const override { return signalled_; }
  void Acquire() override {
    if (!manualReset_) signalled_ = false;
  }
  void Set() {
    signalled_ = true;
    WakeWaiters();
  }
  void Reset() { signalled_ = false; }

 private:
  const bool manualReset_;
  bool signalled_;
};

}  // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  uintptr_t value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> FindHandle(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> doomed;  // destroyed outside the table lock
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == t.objects.end()) return false;
  doomed = std::move(it->second);
  t.objects.erase(it);
  return true;
}

std::mutex& WaitLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

void Waitable::RemoveWaiter(Waiter* w) {
  waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), w), waiters_.end());
}

void Waitable::WakeWaiters() {
  for (Waiter* w : waiters_) w->wake.notify_one();
}

}  // namespace platform

using platform::Waitable;

namespace {

std::shared_ptr<platform::Waitable> FindWaitable(HANDLE h) {
  return platform::FindHandleAs<Waitable>(h);
}

}  // namespace

extern "C" {

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  if (name != nullptr && name[0] != 0) return nullptr;  // named events are not supported
  return platform::AddHandle(
      std::make_shared<platform::Event>(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event) {
  auto e = platform::FindHandleAs<platform::Event>(event);
  if (!e) return FALSE;
  std::lock_guard<std::mutex> guard(platform::WaitLock());
  e->Set();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  auto e = platform::FindHandleAs<platform::Event>(event);
  if (!e) return FALSE;
  std::lock_guard<std::mutex> guard(platform::WaitLock());
  e->Reset();
  return TRUE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                             DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr || waitAll != FALSE)
    return WAIT_FAILED;
  std::vector<std::shared_ptr<Waitable>> objects;
  objects.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    auto w = FindWaitable(handles[i]);
    if (!w) return WAIT_FAILED;
    objects.push_back(std::move(w));
  }

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  platform::Waiter waiter;
  std::unique_lock<std::mutex> lock(platform::WaitLock());
  bool registered = false;
  DWORD result = WAIT_TIMEOUT;
  for (;;) {
    auto found = std::find_if(objects.begin(), objects.end(),
                              [](const auto& o) { return o->IsSignalled(); });
    if (found != objects.end()) {
      (*found)->Acquire();
      result = WAIT_OBJECT_0 + static_cast<DWORD>(found - objects.begin());
      break;
    }
    if (milliseconds == 0) break;
    if (!registered) {
      for (auto& o : objects) o->AddWaiter(&waiter);
      registered = true;
    }
    if (milliseconds == INFINITE) {
      waiter.wake.wait(lock);
    } else if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
      // One last look: a signal may have come with the time-out.
      auto late = std::find_if(objects.begin(), objects.end(),
                               [](const auto& o) { return o->IsSignalled(); });
      if (late != objects.end()) {
        (*late)->Acquire();
        result = WAIT_OBJECT_0 + static_cast<DWORD>(late - objects.begin());
      }
      break;
    }
  }
  if (registered)
    for (auto& o : objects) o->RemoveWaiter(&waiter);
  return result;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

BOOL CloseHandle(HANDLE handle) { return platform::RemoveHandle(handle) ? TRUE : FALSE; }

void Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // extern "C"
