#include "platform/window/hot_keys.h"

#include "platform/window/window_handle.h"

#include <mutex>
#include <vector>

namespace {

struct HotKey {
  HWND window;
  int id;
  UINT modifiers;
  UINT key;
  bool desktop;  // taken from the whole desktop as well
};

// Only the combination's modifiers that tell keys apart; MOD_KEYUP asks for
// the release, which is reported as the press here.
constexpr UINT kModifierMask = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

std::mutex g_lock;
std::vector<HotKey> g_keys;
DesktopKeyGrabber g_grabber;

void GiveBack(const HotKey& k) {
  if (k.desktop && g_grabber.give_back) g_grabber.give_back(k.modifiers, k.key);
}

BOOL Register(HWND window, int id, UINT modifiers, UINT virtual_key, bool desktop) {
  if (!IsWindow(window)) return FALSE;
  modifiers &= kModifierMask;
  std::lock_guard<std::mutex> guard(g_lock);
  HotKey* same = nullptr;
  for (HotKey& k : g_keys) {
    const bool mine = k.window == window && k.id == id;
    if (k.modifiers == modifiers && k.key == virtual_key && !mine) return FALSE;
    if (mine) same = &k;
  }
  const HotKey wanted{window, id, modifiers, virtual_key, desktop && g_grabber.take != nullptr};
  const bool held = same && same->desktop && same->modifiers == modifiers && same->key == virtual_key;
  if (wanted.desktop && !held && !g_grabber.take(modifiers, virtual_key)) return FALSE;
  if (same) {
    if (!(held && wanted.desktop)) GiveBack(*same);
    *same = wanted;
  } else {
    g_keys.push_back(wanted);
  }
  return TRUE;
}

}  // namespace

BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtual_key) {
  return Register(window, id, modifiers, virtual_key, false);
}

BOOL RegisterDesktopHotKey(HWND window, int id, UINT modifiers, UINT virtual_key) {
  return Register(window, id, modifiers, virtual_key, true);
}

DesktopKeyGrabber SetDesktopKeyGrabber(DesktopKeyGrabber grabber) {
  std::lock_guard<std::mutex> guard(g_lock);
  std::swap(g_grabber, grabber);
  return grabber;
}

BOOL UnregisterHotKey(HWND window, int id) {
  std::lock_guard<std::mutex> guard(g_lock);
  for (auto it = g_keys.begin(); it != g_keys.end(); ++it) {
    if (it->window == window && it->id == id) {
      GiveBack(*it);
      g_keys.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

void UnregisterHotKeysOf(HWND window) {
  std::lock_guard<std::mutex> guard(g_lock);
  std::erase_if(g_keys, [window](const HotKey& k) {
    if (k.window != window) return false;
    GiveBack(k);
    return true;
  });
}

bool FindHotKey(UINT modifiers, UINT virtual_key, HWND* window, int* id) {
  modifiers &= kModifierMask;
  std::lock_guard<std::mutex> guard(g_lock);
  for (const HotKey& k : g_keys) {
    if (k.modifiers == modifiers && k.key == virtual_key) {
      if (window) *window = k.window;
      if (id) *id = k.id;
      return true;
    }
  }
  return false;
}

bool RouteKeyPress(HWND focus, UINT modifiers, UINT virtual_key) {
  HWND owner = nullptr;
  int id = 0;
  if (FindHotKey(modifiers, virtual_key, &owner, &id)) {
    PostMessageW(owner, WM_HOTKEY, static_cast<WPARAM>(id),
                 MAKELPARAM(static_cast<WORD>(modifiers & kModifierMask), static_cast<WORD>(virtual_key)));
    return true;
  }
  if (focus) SendMessageW(focus, WM_KEYDOWN, virtual_key, 0);
  return false;
}
