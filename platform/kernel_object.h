// Inside the platform library: the objects behind HANDLE values. Waitable
// objects share one lock so that a wait on several of them sees a
// consistent state.
#pragma once

#include "platform/types.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Handle values are never reused within a process, so a stale handle is
// refused instead of reaching another object.
HANDLE AddHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> FindHandle(HANDLE handle);
bool RemoveHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> FindHandleAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(FindHandle(handle));
}

// The lock of every waitable object's state.
std::mutex& WaitLock();

struct Waiter {
  std::condition_variable wake;
};

class Waitable : public KernelObject {
 public:
  // All three are called with WaitLock() held.
  virtual bool IsSignalled() const = 0;
  // Called when a wait reports this object: an auto-reset event resets.
  virtual void Acquire() {}
  void AddWaiter(Waiter* w) { waiters_.push_back(w); }
  void RemoveWaiter(Waiter* w);

 protected:
  // Wakes every waiter; WaitLock() held.
  void WakeWaiters();

 private:
  std::vector<Waiter*> waiters_;
};

}  // namespace platform
