// Hot-key registration that insists: a button still held by this window
// under the id, or by another program, is taken back before giving up.
#pragma once

#include "platform/window/window_types.h"

// Frees a key combination from whichever window holds it (the shell's
// way of handing a hardware button to the program in front).
BOOL UnregisterFunc1(UINT modifiers, UINT virtualKey);

class CHardwareKeys {
 public:
  using FreeKeyFunction = BOOL (*)(UINT modifiers, UINT virtualKey);

  // The key-freeing function of the system.
  CHardwareKeys() : freeKey_(&UnregisterFunc1) {}
  // With a function of the caller's; null when none is known.
  explicit CHardwareKeys(FreeKeyFunction freeKey) : freeKey_(freeKey) {}

  // RegisterHotKey; on failure once more after UnregisterHotKey of the id,
  // and a third time after freeing the key, when that can be done. A
  // desktop key keeps working while another program has the keyboard.
  BOOL Register(HWND window, int id, UINT modifiers, UINT virtualKey, bool desktop = false) const;
  BOOL Release(HWND window, int id) const;
  // 0 when no key-freeing function is known.
  BOOL FreeKey(UINT modifiers, UINT virtualKey) const;

 private:
  FreeKeyFunction freeKey_;
};

// Switches the display off (true) or on (false) through the display
// driver's power escape; 0 when the display does not support it.
int SetDisplayPower(bool off);
