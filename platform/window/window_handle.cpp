#include "platform/window/window_handle.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct WindowEntry {
  std::mutex lock;  // queue and procedure
  std::condition_variable posted;
  std::deque<MSG> queue;
  WindowProc procedure;
  std::mutex wake_lock;  // held while a wake call runs
  std::function<void()> wake;
  std::atomic<bool> alive{true};
};

struct Registry {
  std::mutex lock;
  // Handles are numbers that are never reused, so a late post to a window
  // that is gone cannot reach a newer one.
  uintptr_t next = 0x10000;
  std::unordered_map<HWND, std::shared_ptr<WindowEntry>> windows;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // outlives static destructors of other modules
  return *registry;
}

std::shared_ptr<WindowEntry> Find(HWND window) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.windows.find(window);
  return it == r.windows.end() ? nullptr : it->second;
}

}  // namespace

HWND CreateWindowHandle(WindowProc procedure, std::function<void()> wake) {
  auto entry = std::make_shared<WindowEntry>();
  entry->procedure = std::move(procedure);
  entry->wake = std::move(wake);
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.next += 0x10;
  HWND handle = reinterpret_cast<HWND>(r.next);
  r.windows.emplace(handle, std::move(entry));
  return handle;
}

void DestroyWindowHandle(HWND window) {
  std::shared_ptr<WindowEntry> entry;
  {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.windows.find(window);
    if (it == r.windows.end()) return;
    entry = std::move(it->second);
    r.windows.erase(it);
  }
  {
    std::lock_guard<std::mutex> guard(entry->wake_lock);
    entry->alive = false;
    entry->wake = nullptr;
  }
  std::lock_guard<std::mutex> guard(entry->lock);
  entry->queue.clear();
  entry->procedure = nullptr;
  entry->posted.notify_all();
}

void SetWindowProc(HWND window, WindowProc procedure) {
  auto entry = Find(window);
  if (!entry) return;
  std::lock_guard<std::mutex> guard(entry->lock);
  entry->procedure = std::move(procedure);
}

bool TakePostedMessage(HWND window, MSG* message) {
  auto entry = Find(window);
  if (!entry) return false;
  std::lock_guard<std::mutex> guard(entry->lock);
  if (entry->queue.empty()) return false;
  *message = entry->queue.front();
  entry->queue.pop_front();
  return true;
}

bool WaitPostedMessage(HWND window, DWORD milliseconds) {
  auto entry = Find(window);
  if (!entry) return false;
  std::unique_lock<std::mutex> guard(entry->lock);
  return entry->posted.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] {
    return !entry->queue.empty() || !entry->alive;
  }) && !entry->queue.empty();
}

int DispatchPostedMessages(HWND window) {
  auto entry = Find(window);
  if (!entry) return 0;
  std::deque<MSG> batch;
  {
    std::lock_guard<std::mutex> guard(entry->lock);
    batch.swap(entry->queue);
  }
  int count = 0;
  for (const MSG& m : batch) {
    WindowProc procedure;
    {
      std::lock_guard<std::mutex> guard(entry->lock);
      if (!entry->alive) break;
      procedure = entry->procedure;
    }
    if (procedure) procedure(m.hwnd, m.message, m.wParam, m.lParam);
    ++count;
  }
  return count;
}

extern "C" BOOL IsWindow(HWND window) { return Find(window) ? TRUE : FALSE; }

extern "C" BOOL PostMessageW(HWND window, UINT message, uintptr_t wParam, intptr_t lParam) {
  auto entry = Find(window);
  if (!entry) return FALSE;
  {
    std::lock_guard<std::mutex> guard(entry->lock);
    if (!entry->alive) return FALSE;
    entry->queue.push_back(MSG{window, message, wParam, lParam});
  }
  entry->posted.notify_all();
  std::lock_guard<std::mutex> guard(entry->wake_lock);
  if (entry->alive && entry->wake) entry->wake();
  return TRUE;
}

extern "C" intptr_t SendMessageW(HWND window, UINT message, uintptr_t wParam, intptr_t lParam) {
  auto entry = Find(window);
  if (!entry) return 0;
  WindowProc procedure;
  {
    std::lock_guard<std::mutex> guard(entry->lock);
    procedure = entry->procedure;
  }
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}
