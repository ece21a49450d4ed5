// Events, waits, threads and critical sections with their Windows names and
// values. Handles are process-wide: any thread, and any deliverable of the
// process, may wait on or signal them.
#pragma once

#include "platform/types.h"

#include <cstddef>

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000u;
constexpr DWORD WAIT_TIMEOUT = 0x00000102u;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
constexpr DWORD STILL_ACTIVE = 259;

// Only the default stack and start-at-once (flags 0) are supported.
constexpr DWORD CREATE_SUSPENDED = 0x00000004u;

// A recursive lock that lives inside the caller's object, as on Windows.
struct CRITICAL_SECTION {
  alignas(16) unsigned char opaque[64];
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

extern "C" {
// Events. A null name is the only kind supported; security is ignored.
PLATFORM_API HANDLE CreateEventW(void* security, BOOL manualReset, BOOL initialState,
                                 LPCWSTR name);
PLATFORM_API BOOL SetEvent(HANDLE event);
PLATFORM_API BOOL ResetEvent(HANDLE event);

// Waits on events and threads. A signalled auto-reset event is consumed by
// the wait that reports it. WaitForMultipleObjects waits for any one of the
// handles (waitAll must be FALSE) and reports the lowest signalled index.
PLATFORM_API DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
PLATFORM_API DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                          DWORD milliseconds);

// Closes an event or thread handle. A thread goes on running after its
// handle is closed.
PLATFORM_API BOOL CloseHandle(HANDLE handle);

// Threads. The handle is signalled when the start routine has returned;
// its result is then the exit code. Stack size is ignored; flags must be 0.
PLATFORM_API HANDLE CreateThread(void* security, size_t stackSize, LPTHREAD_START_ROUTINE start,
                                 LPVOID parameter, DWORD flags, LPDWORD threadId);
PLATFORM_API BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
PLATFORM_API DWORD GetCurrentThreadId();
// A thread cannot be killed safely here: a running thread is left to end
// on its own and FALSE is returned; an ended thread gives TRUE.
PLATFORM_API BOOL TerminateThread(HANDLE thread, DWORD exitCode);

// Recursive critical sections.
PLATFORM_API void InitializeCriticalSection(LPCRITICAL_SECTION section);
PLATFORM_API void EnterCriticalSection(LPCRITICAL_SECTION section);
PLATFORM_API BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
PLATFORM_API void LeaveCriticalSection(LPCRITICAL_SECTION section);
PLATFORM_API void DeleteCriticalSection(LPCRITICAL_SECTION section);

PLATFORM_API void Sleep(DWORD milliseconds);
// Milliseconds since an arbitrary start, wrapping at 2^32 as on Windows.
PLATFORM_API DWORD GetTickCount();
}
