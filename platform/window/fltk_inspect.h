// For tests of the FLTK back end: what its open dialog shows, and keys and
// page changes sent to it as the user would.
#pragma once

#include "platform/window/bitmap.h"
#include "platform/window/controls.h"

#include <functional>

#include <string>
#include <vector>

// Tests: what the open dialog (or the active page of the open sheet, or the
// open message box's buttons) shows.
struct ShownControl {
  int index = -1;                    // in the dialog's controls; -1 for an implicit OK or a box's button
  const Control* control = nullptr;  // null for an implicit OK or a box's button
  RECT rect{};                       // in the dialog window's client area
  bool visible = false;
  std::u16string label;              // the widget's label (an edit's content)
};
struct ShownDialog {
  std::u16string caption;
  RECT window{};  // on the screen, client area
  int page = -1;  // sheets: the active page and the count
  int pages = 0;
  std::vector<ShownControl> controls;
};
namespace fltk_backend {
// Runs `action` once inside the loop of the next dialog or sheet that
// opens, once it is shown (a test acts on it from there).
void WhenDialogOpens(std::function<void()> action);
// The same inside the loop of the next main window that runs.
void WhenMainWindowRuns(std::function<void()> action);
bool DescribeOpenDialog(ShownDialog* out);
// The open dialog's pixels, as drawn on the display.
bool CaptureOpenDialog(Bitmap* pixels);
bool SelectOpenSheetPage(int index);
// Runs the loop (the open dialogs show their models) until `done` holds or
// `seconds` passed; whether it holds.
bool RunLoopUntil(const std::function<bool()>& done, double seconds);
// Closes the window open now (dialog, sheet or box) if it is still open
// after `seconds`: a test whose input went astray ends instead of waiting.
void CloseOpenWindowAfter(double seconds);
// VK_RETURN or VK_ESCAPE to the open dialog, as the keyboard sends them.
bool PressKeyInOpenDialog(UINT vk);
// Moves the pointer to (x, y) of the screen and reads the cursor the display
// shows there: its picture over white and its theme name ("watch", "left_ptr";
// empty for an unnamed one). An animated cursor's picture is a 1 x 1 stand-in.
bool CursorAt(int x, int y, Bitmap* image, std::string* name);
// The left button pressed at `from`, dragged to `to` and let go there (client
// coordinates of the open dialog).
bool DragInOpenDialog(POINT from, POINT to);
}  // namespace fltk_backend

