// The engine's event queue: records accepted by the client's mask, read by
// GetEvents, and announced by the notify thread through the client's
// callback and window message.
#pragma once

#include <cstdint>
#include <deque>

#include "engine/object/critical_section.h"
#include "engine/object/engine_seams.h"
#include "interfaces/orvox.h"

class EventQueue {
 public:
  // Beyond this many undrained records new events are dropped.
  static constexpr size_t kMaxEvents = 10000;

  explicit EventQueue(WindowPoster post) : post_(std::move(post)) {}

  // Appends the event when the mask accepts its type and there is room.
  void Queue(UINT type, UINT param1, UINT param2);
  // Moves up to `max` records from the front into `events`.
  HRESULT Get(TTSEvent* events, UINT max, UINT* got);
  // Also forgets every queued event and restarts the counters.
  void SetMask(UINT mask);
  void SetCallback(TTSEventCallback callback, LPVOID context);
  void SetNotifyWindow(HWND window, UINT message, DWORD cookie);

  // One round of the notify thread: the events queued since the last
  // round are announced once, with their number, to the callback and to
  // the window. Neither is called with the lock held.
  void DispatchNotifications();

 private:
  CriticalSection lock_;
  WindowPoster post_;
  UINT mask_ = 0;
  TTSEventCallback callback_ = nullptr;
  LPVOID context_ = nullptr;
  HWND window_ = nullptr;
  UINT message_ = 0;
  DWORD cookie_ = 0;
  std::deque<TTSEvent> events_;
  uint64_t queued_ = 0;
  uint64_t notified_ = 0;
};
