// The keep-awake timer (timer 2): while speech reads a document it resets
// the system idle timer a little more often than the shortest idle time-out.
#pragma once

#include "platform/window/window_types.h"

// The period from the idle time-outs (seconds): the external or wake-up
// time-out when it is set and shorter than the battery one, else the
// battery one; 5000 ms under 2 s, else one second short of it.
UINT KeepAwakePeriod(DWORD battery, DWORD external, DWORD wakeUp);

// Reads the time-outs of the system and (re)starts timer 2 of the window.
void StartKeepAwake(HWND window);
void StopKeepAwake(HWND window);
