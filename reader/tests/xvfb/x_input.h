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
  // A key (its X name: "Return", "Escape") pressed and let go.
  void Key(const std::string& name);
  // The whole screen.
  bool CaptureScreen(Bitmap* picture);
  // The screen rectangle of the top-most mapped window: the one that is on top.
  RECT TopWindow();

 private:
  _XDisplay* display_ = nullptr;
  using FakeButton = int (*)(_XDisplay*, unsigned, int, unsigned long);
  using FakeMotion = int (*)(_XDisplay*, int, int, int, unsigned long);
  using FakeKey = int (*)(_XDisplay*, unsigned, int, unsigned long);
  void* library_ = nullptr;
  FakeButton button_ = nullptr;
  FakeMotion motion_ = nullptr;
  FakeKey key_ = nullptr;
};
