#include "engine/object/engine_seams.h"

#include <cstdint>

// Window services come with the reader's part of the platform; a process
// without them has no window to post to.
extern "C" BOOL PostMessageW(HWND window, UINT message, uintptr_t wParam, intptr_t lParam)
    __attribute__((weak));

namespace {

constexpr DWORD kClassContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

}  // namespace

EngineSeams SystemSeams() {
  EngineSeams seams;
  seams.create = [](REFCLSID clsid, REFIID iid, void** object) {
    return CoCreateInstance(clsid, nullptr, kClassContext, iid, object);
  };
  seams.post = [](HWND window, UINT message, UINT count, DWORD cookie) {
    if (PostMessageW != nullptr) PostMessageW(window, message, count, static_cast<intptr_t>(cookie));
  };
  return seams;
}
