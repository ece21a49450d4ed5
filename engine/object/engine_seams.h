// What the engine asks of the outside world: creating its language
// components and posting to the client's window. The server wires them to
// COM and the window system; tests hand in fakes.
#pragma once

#include <functional>

#include "interfaces/orvox.h"

// CoCreateInstance without the outer object and class context.
using ComponentCreator = std::function<HRESULT(REFCLSID clsid, REFIID iid, void** object)>;

// Posts (message, first parameter, second parameter) to a window.
using WindowPoster = std::function<void(HWND window, UINT message, UINT count, DWORD cookie)>;

struct EngineSeams {
  ComponentCreator create;
  WindowPoster post;
  // The wave-out device's wait before each open.
  DWORD deviceOpenDelayMs = 200;
};

// Through CoCreateInstance (class context 0x17) and PostMessageW.
EngineSeams SystemSeams();
