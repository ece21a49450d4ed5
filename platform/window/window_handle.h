// Window handles and their message queues. Part of the platform library so
// that the speech engine can post its notifications (PostMessageW) without
// linking any window toolkit; the window back ends create the handles.
#pragma once

#include "platform/window/window_types.h"

#include <functional>

// Handles one message sent or posted to a window; runs on the window's thread.
using WindowProc = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

// A new window handle with its procedure. `wake` is called (from any thread,
// possibly the posting one) after a message was posted, so the owner's loop
// can dispatch it; it may be empty.
PLATFORM_API HWND CreateWindowHandle(WindowProc procedure, std::function<void()> wake);
// Ends the handle: later posts to it fail, queued messages are dropped. Waits
// for a wake call running on another thread to return.
PLATFORM_API void DestroyWindowHandle(HWND window);

// Hands the handle to a new procedure (dialogs install theirs after creation).
PLATFORM_API void SetWindowProc(HWND window, WindowProc procedure);

// Takes the oldest posted message of the window, if any.
PLATFORM_API bool TakePostedMessage(HWND window, MSG* message);
// Waits up to `milliseconds` for a posted message (it stays queued);
// true when one is there.
PLATFORM_API bool WaitPostedMessage(HWND window, DWORD milliseconds);
// Runs the procedure on every message posted so far; returns their count.
PLATFORM_API int DispatchPostedMessages(HWND window);

extern "C" {
// True while the handle lives.
PLATFORM_API BOOL IsWindow(HWND window);
// Queues the message for the window's thread; any thread may call it. FALSE
// for a handle that does not (or no longer) exist.
PLATFORM_API BOOL PostMessageW(HWND window, UINT message, uintptr_t wParam, intptr_t lParam);
// Runs the window's procedure at once on the calling thread (the window's
// thread in this program); 0 for an unknown handle.
PLATFORM_API intptr_t SendMessageW(HWND window, UINT message, uintptr_t wParam, intptr_t lParam);
}
