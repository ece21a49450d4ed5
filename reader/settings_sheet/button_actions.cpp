#include "reader/settings_sheet/button_actions.h"

const std::array<std::u16string_view, kButtonActionCount> kButtonActionNames = {
    u"None",
    u"Next page",
    u"Previous page",
    u"Open file",
    u"Speak/pause",
    u"Speak clipboard",
    u"System speak clipboard",
    u"Pause",
    u"System pause",
    u"Stop",
    u"System stop",
    u"Full-screen",
    u"Toolbar",
    u"Settings",
    u"Find",
    u"Find next",
    u"Add bookmark",
    u"All bookmarks",
    u"Mark read",
    u"Mark unread",
    u"Lock",
    u"Lock & read (1 push to unlock)",
    u"Lock & read (2 pushes to unlock)",
    u"Lock & read (3 pushes to unlock)",
    u"Exit",
};

HardwareButton HardwareButtonOf(int id) {
  if (id >= 1 && id <= 5) return {id, MOD_WIN, static_cast<UINT>(0xC0 + id)};
  switch (id) {
    case 6: return {id, 0, VK_UP};
    case 7: return {id, 0, VK_DOWN};
    case 8: return {id, 0, VK_LEFT};
    case 9: return {id, 0, VK_RIGHT};
    case 10: return {id, 0, VK_RETURN};
    default: break;
  }
  if (id >= 11 && id <= 20) return {id, MOD_WIN, static_cast<UINT>(0xC6 + (id - 11))};
  return {id, 0, 0};
}
