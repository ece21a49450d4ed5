// Menus and bars as models; the back end shows them and sends WM_COMMAND
// (MAKEWPARAM(id, 0), lParam 0) to the window when one is chosen.
#pragma once

#include "platform/window/window_types.h"

#include <string>
#include <vector>

struct MenuItem {
  UINT id = 0;                   // command sent when chosen (0 for popups and separators)
  std::u16string text;
  std::vector<MenuItem> items;   // the popup's items
  bool popup = false;            // a submenu, even while it has no items
  bool separator = false;
  bool enabled = true;
  bool checked = false;

  static MenuItem Command(UINT id, std::u16string text) {
    MenuItem m;
    m.id = id;
    m.text = std::move(text);
    return m;
  }
  static MenuItem Popup(std::u16string text, std::vector<MenuItem> items) {
    MenuItem m;
    m.text = std::move(text);
    m.items = std::move(items);
    m.popup = true;
    return m;
  }
  static MenuItem Separator() {
    MenuItem m;
    m.separator = true;
    return m;
  }
  bool IsPopup() const { return popup || !items.empty(); }
  // Depth-first search by command id; null when absent.
  MenuItem* Find(UINT command);
};

// A bar button; it sends its command like a menu item.
struct ToolButton {
  UINT command = 0;
  std::u16string text;  // shown as the button's label (no images here): short
  std::u16string tip;   // the command's full name, shown on hovering
  bool separator = false;
  bool enabled = true;
  bool checked = false;

  static ToolButton Button(UINT command, std::u16string text, std::u16string tip = {}) {
    ToolButton b;
    b.command = command;
    b.text = std::move(text);
    b.tip = std::move(tip);
    return b;
  }
  static ToolButton Separator() {
    ToolButton b;
    b.separator = true;
    return b;
  }
};

// The menu bar: a button that opens `menu` (its text is the button's
// label), then the buttons. Before the popup opens the window gets
// WM_INITMENUPOPUP with wParam = the popup's MenuItem* (which it may change)
// and lParam = 0.
struct CommandBar {
  MenuItem menu;
  std::vector<ToolButton> buttons;
};
