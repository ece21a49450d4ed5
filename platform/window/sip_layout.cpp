#include "platform/window/sip_layout.h"

#include "platform/window/soft_input_panel.h"

void CSipLayout::Init(WindowHost& owner) {
  owner_ = &owner;
  const SIZE screen = owner.ScreenSize();
  screen_width_ = screen.cx;
  screen_height_ = screen.cy;
}

int CSipLayout::Add(BarWindow* bar) {
  bars_.push_back(bar);
  Place(*bar, StackTop());
  bar->ShowBar(true);
  return static_cast<int>(bars_.size()) - 1;
}

BarWindow* CSipLayout::Remove(int index) {
  BarWindow* bar = Get(index);
  if (bar == nullptr) return nullptr;
  bar->ShowBar(false);
  bars_.erase(bars_.begin() + index);
  return bar;
}

BarWindow* CSipLayout::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return bars_[static_cast<size_t>(index)];
}

void CSipLayout::OnSettingChange(UINT flag) {
  if (flag != SPI_SETSIPINFO) return;
  int y = BottomLine();
  for (BarWindow* bar : bars_) {
    y -= bar->BarHeight() - 1;
    Place(*bar, y);
  }
}

int CSipLayout::BottomLine() const {
  SIPINFO info;
  int panel = 0;
  if (SipGetInfo(&info) && (info.fdwFlags & SIPF_ON) != 0) panel = info.rcSipRect.bottom - info.rcSipRect.top;
  return screen_height_ - kMenuBarBand - panel;
}

int CSipLayout::StackTop() const {
  int y = BottomLine();
  for (const BarWindow* bar : bars_) y -= bar->BarHeight() - 1;
  return y;
}

void CSipLayout::ShowAll() {
  for (BarWindow* bar : bars_) bar->ShowBar(true);
}

void CSipLayout::HideAll() {
  for (BarWindow* bar : bars_) bar->ShowBar(false);
}

void CSipLayout::Place(BarWindow& bar, int top) const {
  bar.MoveBar({-1, top, screen_width_ + 1, top + bar.BarHeight()});
}
