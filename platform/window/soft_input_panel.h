// The soft input panel: the on-screen keyboard of a handheld. A desktop has
// none: with no panel installed it reads as hidden, with an empty rectangle,
// and cannot be shown. The headless back end installs one that tests show
// and hide.
#pragma once

#include "platform/window/window_types.h"

#include <functional>

// The menu bar's band at the bottom of a handheld's screen; the panel opens
// above it.
constexpr int kMenuBarBand = 26;

constexpr DWORD SIPF_ON = 0x00000001;
struct SIPINFO {
  DWORD cbSize = sizeof(SIPINFO);
  DWORD fdwFlags = 0;
  RECT rcVisibleDesktop;
  RECT rcSipRect;
  DWORD dwImDataSize = 0;
  void* pvImData = nullptr;
};

// The panel's state: the on flag and its rectangle (screen pixels).
BOOL SipGetInfo(SIPINFO* info);
// Shows or hides the panel after the on flag; FALSE without a panel.
BOOL SipSetInfo(SIPINFO* info);

// The on flag of SipGetInfo (0 when the call fails).
BOOL IsSipOn();
// Shows or hides the panel when its state differs from the wish; nothing when
// the state cannot be read.
void ShowSip(BOOL show);

// A panel that can be shown and hidden. Every change of its state runs the
// `changed` call (the back end tells its windows: WM_SETTINGCHANGE with
// SPI_SETSIPINFO).
class InputPanel {
 public:
  explicit InputPanel(const RECT& rect) : rect_(rect) {}
  InputPanel(const InputPanel&) = delete;
  InputPanel& operator=(const InputPanel&) = delete;

  bool IsOn() const { return on_; }
  const RECT& Rect() const { return rect_; }
  // The user's side: the panel button.
  void Show(bool on);
  // A panel of another size (it takes effect at once when shown).
  void SetRect(const RECT& rect);
  void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  bool on_ = false;
  RECT rect_;
  std::function<void()> changed_;
};

// Makes the panel the system's (null: none, as on a desktop) and returns the
// previous one.
InputPanel* SetInputPanel(InputPanel* panel);
