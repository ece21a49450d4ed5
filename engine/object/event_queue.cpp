#include "engine/object/event_queue.h"

void EventQueue::Queue(UINT type, UINT param1, UINT param2) {
  ScopedLock lock(lock_);
  if ((mask_ & type) == 0 || events_.size() >= kMaxEvents) return;
  ++queued_;
  events_.push_back(TTSEvent{type, param1, param2});
}

HRESULT EventQueue::Get(TTSEvent* events, UINT max, UINT* got) {
  if (events == nullptr || got == nullptr) return E_POINTER;
  ScopedLock lock(lock_);
  UINT count = 0;
  while (count < max && count < events_.size()) {
    events[count] = events_[count];
    ++count;
  }
  events_.erase(events_.begin(), events_.begin() + count);
  *got = count;
  return S_OK;
}

void EventQueue::SetMask(UINT mask) {
  ScopedLock lock(lock_);
  mask_ = mask;
  events_.clear();
  queued_ = 0;
  notified_ = 0;
}

void EventQueue::SetCallback(TTSEventCallback callback, LPVOID context) {
  ScopedLock lock(lock_);
  callback_ = callback;
  context_ = context;
}

void EventQueue::SetNotifyWindow(HWND window, UINT message, DWORD cookie) {
  ScopedLock lock(lock_);
  window_ = window;
  message_ = message;
  cookie_ = cookie;
}

void EventQueue::DispatchNotifications() {
  lock_.Enter();
  // Only the events counted here are marked as announced: one queued while
  // the client is being called waits for the next round instead of being
  // taken as seen.
  uint64_t announced = queued_;
  if (announced <= notified_) {
    notified_ = announced;
    lock_.Leave();
    return;
  }
  UINT count = static_cast<UINT>(announced - notified_);
  TTSEventCallback callback = callback_;
  LPVOID context = context_;
  HWND window = window_;
  UINT message = message_;
  DWORD cookie = cookie_;
  lock_.Leave();

  if (callback != nullptr) callback(count, context);
  if (window != nullptr && post_) post_(window, message, count, cookie);

  ScopedLock lock(lock_);
  // SetEventMask may have restarted the counters meanwhile.
  if (announced <= queued_ && announced > notified_) notified_ = announced;
}
