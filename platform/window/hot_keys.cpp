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
};

// Only the combination's modifiers that tell keys apart; MOD_KEYUP asks for
// the release, which is reported as the press here.
constexpr UINT kModifierMask = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

std::mutex g_lock;
std::vector<HotKey> g_keys;

}  // namespace

BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtual_key) {
  if (!IsWindow(window)) return FALSE;
  modifiers &= kModifierMask;
  std::lock_guard<std::mutex> guard(g_lock);
  for (const HotKey& k : g_keys) {
    if (k.modifiers == modifiers && k.key == virtual_key && !(k.window == window && k.id == id))
      return FALSE;
  }
  for (HotKey& k : g_keys) {
    if (k.window == window && k.id == id) {
      k.modifiers = modifiers;
      k.key = virtual_key;
      return TRUE;
    }
  }
  g_keys.push_back({window, id, modifiers, virtual_key});
  return TRUE;
}

BOOL UnregisterHotKey(HWND window, int id) {
  std::lock_guard<std::mutex> guard(g_lock);
  for (auto it = g_keys.begin(); it != g_keys.end(); ++it) {
    if (it->window == window && it->id == id) {
      g_keys.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

void UnregisterHotKeysOf(HWND window) {
  std::lock_guard<std::mutex> guard(g_lock);
  std::erase_if(g_keys, [window](const HotKey& k) { return k.window == window; });
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
