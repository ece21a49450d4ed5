#include "reader/buttons/hardware_keys.h"

#include "platform/window/hot_keys.h"
#include "platform/window/system_services.h"

BOOL UnregisterFunc1(UINT modifiers, UINT virtualKey) {
  HWND owner = nullptr;
  int id = 0;
  if (!FindHotKey(modifiers, virtualKey, &owner, &id)) return FALSE;
  return UnregisterHotKey(owner, id);
}

BOOL CHardwareKeys::Register(HWND window, int id, UINT modifiers, UINT virtualKey, bool desktop) const {
  const auto attempt = desktop ? &RegisterDesktopHotKey : &RegisterHotKey;
  if (attempt(window, id, modifiers, virtualKey)) return TRUE;
  UnregisterHotKey(window, id);
  if (attempt(window, id, modifiers, virtualKey)) return TRUE;
  if (freeKey_ != nullptr) freeKey_(modifiers, virtualKey);
  return attempt(window, id, modifiers, virtualKey);
}

BOOL CHardwareKeys::Release(HWND window, int id) const { return UnregisterHotKey(window, id); }

BOOL CHardwareKeys::FreeKey(UINT modifiers, UINT virtualKey) const {
  return freeKey_ != nullptr ? freeKey_(modifiers, virtualKey) : FALSE;
}

int SetDisplayPower(bool off) {
  const int escape = SETPOWERMANAGEMENT;
  if (ExtEscape(QUERYESCSUPPORT, sizeof escape, &escape, 0, nullptr) <= 0) return 0;
  VIDEO_POWER_MANAGEMENT power;
  power.PowerState = off ? VideoPowerOff : VideoPowerOn;
  ExtEscape(SETPOWERMANAGEMENT, sizeof power, &power, 0, nullptr);
  return 1;
}
