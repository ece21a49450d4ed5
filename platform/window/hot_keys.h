// Hot keys: a key combination registered by a window reaches it as WM_HOTKEY
// (wParam id, lParam MAKELPARAM(modifiers, key)) instead of WM_KEYDOWN.
// Keys are seen while a window of this program has the keyboard.
#pragma once

#include "platform/window/window_types.h"

// FALSE when another window or id holds the combination. Registering an id
// the window already uses moves that id to the new combination.
BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtual_key);
// FALSE when the window has no such id.
BOOL UnregisterHotKey(HWND window, int id);
// Drops every hot key of the window (its handle is going away).
void UnregisterHotKeysOf(HWND window);
// The owner of a combination, if any.
bool FindHotKey(UINT modifiers, UINT virtual_key, HWND* window, int* id);

// A key press from a back end: posts WM_HOTKEY to a registered owner and
// returns true, or sends WM_KEYDOWN (wParam key) to `focus` and returns false.
bool RouteKeyPress(HWND focus, UINT modifiers, UINT virtual_key);
