// A bar window (a toolbar) as the soft-input-panel layout moves it.
#pragma once

#include "platform/window/window_types.h"

class BarWindow {
 public:
  virtual ~BarWindow() = default;
  virtual int BarHeight() const = 0;
  // Screen pixels.
  virtual void MoveBar(const RECT& rect) = 0;
  virtual void ShowBar(bool show) = 0;
};
