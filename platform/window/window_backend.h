// The window system in use: the FLTK back end in the program, the headless
// one in tests. One back end is current per process; dialogs, property
// sheets and the clipboard go through it.
#pragma once

#include "platform/window/window_host.h"

#include <memory>
#include <string>

class Dialog;
class PropertySheet;

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // A new top-level window of the default size (hidden until Run).
  virtual std::unique_ptr<WindowHost> CreateMainWindow(const std::u16string& title) = 0;
  // Modal runs; the dialog or sheet is begun, run and finished by the back end.
  virtual int RunDialog(Dialog& dialog) = 0;
  virtual int RunPropertySheet(PropertySheet& sheet) = 0;
  // The system clipboard's text; false when it holds none.
  virtual bool ReadClipboardText(std::u16string* text) = 0;
  virtual bool WriteClipboardText(const std::u16string& text) = 0;
};

// Makes the back end current (null: none) and returns the previous one.
WindowBackend* SetWindowBackend(WindowBackend* backend);
// Null when none is installed.
WindowBackend* CurrentWindowBackend();
