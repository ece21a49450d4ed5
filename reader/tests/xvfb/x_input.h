// Input and pictures through the X server, on a connection of the test's
// own: the pointer and the keyboard of a person in front of the display
// (XTest), and what the screen shows.
#pragma once

#include <string>

#include "platform/window/bitmap.h"
#include "platform/window/window_types.h"

struct _XDisplay;

class XInput {
 public:
  XInput();  // on $DISPLAY
  ~XInput();
  XInput(const XInput&) = delete;
  XInput& operator=(const XInput&) = delete;

  // False without a display or the XTest extension.
  bool Ready() const;
  // The left button pressed and let go at (x, y) of the screen.
  void Click(POINT at);
  // The left button pressed at (x, y), and let go: a long press is the two
  // with the program's loop run between them.
  void Press(POINT at);
  void Release();
  // A key (its X name: "Return", "Escape") pressed and let go; keys held
  // together joined by "+" ("Control_L+a").
  void Key(const std::string& name);
  // Latin letters and blanks, typed.
  void Type(const std::string& text);
  // The whole screen.
  bool CaptureScreen(Bitmap* picture);
  // The screen rectangle of the top-most mapped window: the one that is on top.
  RECT TopWindow();
  // The keyboard to a small window of the test's own at the screen's
  // bottom right corner (another program in front), to the top-most window
  // at (x, y), or to whichever window the pointer is over.
  void FocusOwnWindow();
  void FocusWindowAt(POINT at);
  void FocusFollowsPointer();
  // The keyboard to the root window, as when the window that had it went
  // away: keys go to the window under the pointer.
  void FocusRootWindow();

 private:
  _XDisplay* display_ = nullptr;
  unsigned long own_window_ = 0;
  using FakeButton = int (*)(_XDisplay*, unsigned, int, unsigned long);
  using FakeMotion = int (*)(_XDisplay*, int, int, int, unsigned long);
  using FakeKey = int (*)(_XDisplay*, unsigned, int, unsigned long);
  void* library_ = nullptr;
  FakeButton button_ = nullptr;
  FakeMotion motion_ = nullptr;
  FakeKey key_ = nullptr;
};
