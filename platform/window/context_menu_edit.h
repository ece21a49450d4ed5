// CContextMenuEdit: an edit control whose tap-and-hold (a long press, or a
// right click on the desktop) opens the edit menu; a short tap places the
// caret as in a plain edit. The menu's commands act on the edit as the
// WM_COPY, WM_CUT and WM_PASTE messages do.
#pragma once

#include "platform/window/controls.h"
#include "platform/window/menu_model.h"

class Dialog;

class CContextMenuEdit {
 public:
  static constexpr UINT IDR_EDIT_MENU = 182;
  static constexpr UINT ID_EDIT_COPY = 0xE122;
  static constexpr UINT ID_EDIT_CUT = 0xE123;
  static constexpr UINT ID_EDIT_PASTE = 0xE125;
  // What the shell's tap-and-hold recognition returns for the menu gesture.
  static constexpr int kContextMenuGesture = 1000;
  // How long a press must last to open the menu.
  static constexpr UINT kHoldMilliseconds = 600;

  // Makes the dialog's edit `id` one.
  static void Attach(Dialog& dialog, int id);
  // The first popup of menu 182.
  static const MenuItem& EditMenu();
  // The message a menu command sends to the edit; 0 for other commands.
  static UINT MessageOf(UINT command);
  // WM_COPY, WM_CUT or WM_PASTE on the edit's model (the clipboard of the
  // window services); true when the edit's text changed.
  static bool HandleMessage(Control& edit, UINT message);
};
