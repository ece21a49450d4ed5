#include "platform/window/window_backend.h"

#include <atomic>

namespace {
std::atomic<WindowBackend*> g_backend{nullptr};
}

WindowBackend* SetWindowBackend(WindowBackend* backend) { return g_backend.exchange(backend); }

WindowBackend* CurrentWindowBackend() { return g_backend.load(); }
