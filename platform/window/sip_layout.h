// Stacks a window's bars from the bottom of the screen upwards: above the
// 26-pixel menu bar band, or above the soft input panel while it is shown.
// Neighbouring bars overlap by one pixel and reach one pixel past either
// side of the screen, so their borders do not show twice.
#pragma once

#include "platform/window/bar_window.h"
#include "platform/window/window_host.h"

#include <vector>

class CSipLayout {
 public:
  // Stores the owner and takes the screen size.
  void Init(WindowHost& owner);
  // Appends the bar, places it above those before it and shows it; its index.
  int Add(BarWindow* bar);
  // Hides the bar and takes it out; null for a bad index.
  BarWindow* Remove(int index);
  BarWindow* Get(int index) const;
  int Count() const { return static_cast<int>(bars_.size()); }
  // SPI_SETSIPINFO (the panel came or went) places every bar again.
  void OnSettingChange(UINT flag);

  // Where the lowest bar ends: the top of the menu bar band or of the panel.
  int BottomLine() const;
  // The top of the highest bar (the bottom line without bars).
  int StackTop() const;
  // What the bars, the panel and the band take: screen height - stack top.
  int HeightInUse() const { return screen_height_ - StackTop(); }
  void ShowAll();
  void HideAll();
  int ScreenWidth() const { return screen_width_; }
  int ScreenHeight() const { return screen_height_; }
  WindowHost* Owner() const { return owner_; }

 private:
  void Place(BarWindow& bar, int top) const;

  WindowHost* owner_ = nullptr;
  int screen_width_ = 0;
  int screen_height_ = 0;
  std::vector<BarWindow*> bars_;  // from the bottom upwards
};
