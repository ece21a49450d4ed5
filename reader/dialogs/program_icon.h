// The program's icon resources: icon 128, an open book with a sound wave
// rising from it, shown in the window's title and task bars and in the
// About box.
#pragma once

#include "platform/window/icon.h"

constexpr UINT IDI_PROGRAM = 128;

// The icon of that resource id; null for an id the program has no icon of.
HICON LoadReaderIcon(UINT id);
