// How the reader sets up its speech engine, at start-up and after the
// settings sheet alike: events to the main window, then rate, range, pitch
// and volume.
#pragma once

#include "interfaces/orvox.h"

// The engine's rate range once the reader has set it.
constexpr INT kReaderRateRange = 20;

enum class EngineEventsResult { kConnected, kMaskFailed, kWindowFailed };

// The event mask (0x3F), then the notification window (message 0x401 with
// the cookie); stops at the first failure.
EngineEventsResult ConnectEngineEvents(ITTSEngine& engine, HWND window, DWORD cookie);

// SetRate, SetRateRange(20), SetPitch, SetVolume, in this order.
void ApplyEngineValues(ITTSEngine& engine, signed char rate, signed char pitch,
                       unsigned char volume);
