// Hot keys: a key combination registered by a window reaches it as WM_HOTKEY
// (wParam id, lParam MAKELPARAM(modifiers, key)) instead of WM_KEYDOWN.
// Keys are seen while a window of this program has the keyboard; desktop
// hot keys also while another program has it.
#pragma once

#include "platform/window/window_types.h"

// FALSE when another window or id holds the combination. Registering an id
// the window already uses moves that id to the new combination.
BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtual_key);
// The same for a key that also reaches the window while another program has
// the keyboard, when the back end can take it from the whole desktop; FALSE
// also when another program holds it there.
BOOL RegisterDesktopHotKey(HWND window, int id, UINT modifiers, UINT virtual_key);
// FALSE when the window has no such id.
BOOL UnregisterHotKey(HWND window, int id);
// Drops every hot key of the window (its handle is going away).
void UnregisterHotKeysOf(HWND window);
// The owner of a combination, if any.
bool FindHotKey(UINT modifiers, UINT virtual_key, HWND* window, int* id);

// A key press from a back end: posts WM_HOTKEY to a registered owner and
// returns true, or sends WM_KEYDOWN (wParam key) to `focus` and returns false.
bool RouteKeyPress(HWND focus, UINT modifiers, UINT virtual_key);

// How a back end takes a combination from the whole desktop (take: false
// when another program holds it) and gives it back. Returns the previous one.
struct DesktopKeyGrabber {
  bool (*take)(UINT modifiers, UINT virtual_key) = nullptr;
  void (*give_back)(UINT modifiers, UINT virtual_key) = nullptr;
};
DesktopKeyGrabber SetDesktopKeyGrabber(DesktopKeyGrabber grabber);
