// The main window's menu (menu 129), its menu-bar buttons and its toolbar,
// as models for the window host.
#pragma once

#include <string>
#include <vector>

#include "platform/window/menu_model.h"

// The popup with its items in menu order; the recent-documents submenu is
// empty until it is opened.
MenuItem BuildMainMenu();
// The menu button and the buttons of the menu bar.
CommandBar BuildCommandBar();
// The toolbar's buttons (hidden until shown).
std::vector<ToolButton> BuildToolbar();
// Refills the recent-documents submenu: one item per entry (at most 10),
// ids 32824 + index, text the file name after the last '\\' or '/'.
void FillRecentMenu(MenuItem& submenu, const std::vector<std::u16string>& recentFiles);
