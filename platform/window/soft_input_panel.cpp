#include "platform/window/soft_input_panel.h"

#include <atomic>

namespace {
std::atomic<InputPanel*> g_panel{nullptr};
}  // namespace

void InputPanel::Show(bool on) {
  if (on == on_) return;
  on_ = on;
  if (changed_) changed_();
}

void InputPanel::SetRect(const RECT& rect) {
  rect_ = rect;
  if (on_ && changed_) changed_();
}

InputPanel* SetInputPanel(InputPanel* panel) { return g_panel.exchange(panel); }

BOOL SipGetInfo(SIPINFO* info) {
  if (info == nullptr) return FALSE;
  const InputPanel* panel = g_panel.load();
  const bool on = panel != nullptr && panel->IsOn();
  info->fdwFlags = on ? SIPF_ON : 0;
  info->rcSipRect = on ? panel->Rect() : RECT{};
  info->rcVisibleDesktop = RECT{};
  return TRUE;
}

BOOL SipSetInfo(SIPINFO* info) {
  InputPanel* panel = g_panel.load();
  if (info == nullptr || panel == nullptr) return FALSE;
  panel->Show((info->fdwFlags & SIPF_ON) != 0);
  return TRUE;
}

BOOL IsSipOn() {
  SIPINFO info;
  if (!SipGetInfo(&info)) return FALSE;
  return (info.fdwFlags & SIPF_ON) != 0 ? TRUE : FALSE;
}

void ShowSip(BOOL show) {
  SIPINFO info;
  if (!SipGetInfo(&info)) return;
  const bool on = (info.fdwFlags & SIPF_ON) != 0;
  if (on == (show != FALSE)) return;
  if (show) {
    info.fdwFlags |= SIPF_ON;
  } else {
    info.fdwFlags &= ~SIPF_ON;
  }
  SipSetInfo(&info);
}
