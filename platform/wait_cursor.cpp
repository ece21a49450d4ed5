#include "platform/wait_cursor.h"

#include <mutex>

namespace {

struct CursorState {
  std::mutex lock;
  int depth = 0;
  WaitCursorHandler handler;
};

CursorState& State() {
  static CursorState* state = new CursorState;  // usable from static destructors too
  return *state;
}

// Runs the handler outside the lock: it may draw, and drawing may begin a step.
void Tell(bool shown) {
  WaitCursorHandler handler;
  {
    std::lock_guard<std::mutex> guard(State().lock);
    handler = State().handler;
  }
  if (handler) handler(shown);
}

}  // namespace

void BeginWaitCursor() {
  bool first = false;
  {
    std::lock_guard<std::mutex> guard(State().lock);
    first = State().depth++ == 0;
  }
  if (first) Tell(true);
}

void EndWaitCursor() {
  bool last = false;
  {
    std::lock_guard<std::mutex> guard(State().lock);
    if (State().depth == 0) return;
    last = --State().depth == 0;
  }
  if (last) Tell(false);
}

bool WaitCursorShown() {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().depth > 0;
}

WaitCursorHandler SetWaitCursorHandler(WaitCursorHandler handler) {
  std::lock_guard<std::mutex> guard(State().lock);
  std::swap(State().handler, handler);
  return handler;
}
