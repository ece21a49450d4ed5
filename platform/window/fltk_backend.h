// The real window: FLTK shows the screen bitmap in a window of a handheld's
// proportions (resizable), the menu bar and toolbar as widgets, dialogs as
// FLTK windows mirroring their control models, and message boxes as FLTK
// choices. Keys stand for the handheld's buttons:
//   arrows, Return       -> VK_LEFT/UP/RIGHT/DOWN, VK_RETURN (no modifier)
//   F1 .. F12            -> MOD_WIN + 0xC1 .. 0xCC (application buttons 1-12)
//   Page Up, Page Down   -> MOD_WIN + 0xCD, 0xCE
//   media play/pause     -> MOD_WIN + 0xCF
//   other media keys     -> their VK_MEDIA_* / VK_VOLUME_* codes
// Desktop hot keys are grabbed on the X root window (fltk_desktop_keys.cpp).
// Needs a display (DISPLAY); Available() says whether one can be opened.
#pragma once

#include "platform/wait_cursor.h"
#include "platform/window/fltk_inspect.h"
#include "platform/window/window_backend.h"

#include <memory>
#include <string>
#include <vector>

class FltkBackend : public WindowBackend {
 public:
  // Becomes the current back end and installs its message box handler.
  FltkBackend();
  ~FltkBackend() override;

  static bool Available();

  std::unique_ptr<WindowHost> CreateMainWindow(const std::u16string& title) override;
  int RunDialog(Dialog& dialog) override;
  int RunPropertySheet(PropertySheet& sheet) override;
  bool ReadClipboardText(std::u16string* text) override;
  bool WriteClipboardText(const std::u16string& text) override;

  // Tests: the pixels the main window's client area shows now, read back
  // from the window. False when nothing is shown.
  static bool ReadWindowPixels(WindowHost& host, Bitmap* pixels);
  // Tests: the window's size and where its bar buttons are (separators
  // left out), in window pixels.
  static SIZE WindowSize(WindowHost& host);
  static std::vector<RECT> BarButtonRects(WindowHost& host, bool toolbar);

 private:
  WindowBackend* previous_ = nullptr;
  MessageBoxHandler previous_boxes_;
  WaitCursorHandler previous_wait_cursor_;
};

// Maps an FLTK key (Fl::event_key) to a virtual key and modifiers; false for
// keys that stand for no button or key of the handheld.
bool MapFltkKey(int fltk_key, UINT* virtual_key, UINT* modifiers);
