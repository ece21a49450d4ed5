// The back end for tests: windows without a screen, timers on a test clock,
// dialogs answered by scripts, message boxes recorded, frames saved as PNG,
// a soft input panel that tests show and hide. While it lives it is the
// current back end, its clock the window clock, its capture the message box
// handler and its panel the system's.
#pragma once

#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "platform/window/dialog.h"
#include "platform/window/system_services.h"
#include "platform/window/window_backend.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class HeadlessBackend;

class HeadlessHost : public WindowHost {
 public:
  HeadlessHost(HeadlessBackend& backend, const std::u16string& title);
  ~HeadlessHost() override;

  SIZE ScreenSize() const override { return screen_size_; }
  void MoveWindow(const RECT& rect) override;
  const RECT& WindowRect() const { return window_rect_; }
  void SetFullScreen(bool on) override;
  void ShowCommandBar(bool show) override;
  void ShowToolbar(bool show) override;
  void SetTimer(UINT_PTR id, UINT milliseconds) override;
  void KillTimer(UINT_PTR id) override;
  int Run() override;

  // The user's side.
  void Resize(int width, int height);          // client size; WM_SIZE
  void Tap(int x, int y);                      // WM_LBUTTONDOWN (MK_LBUTTON) and WM_LBUTTONUP
  void PressKey(UINT vk, UINT modifiers = 0);  // hot key or WM_KEYDOWN, then pending posts
  void ChooseCommand(UINT id);                 // a menu item or bar button: WM_COMMAND
  // Opens the bar's popup as the user would: WM_INITMENUPOPUP first.
  const MenuItem& OpenMenu();
  void SetFocus(bool focused);                 // WM_SETFOCUS / WM_KILLFOCUS
  // Dispatches the posted messages; their count.
  int PumpMessages();
  // Waits (real time) up to `milliseconds` for a message posted from another
  // thread, then dispatches; the count dispatched.
  int WaitAndPump(DWORD milliseconds);

  // Timers that run, with their period and next due tick.
  struct Timer {
    UINT period = 0;
    uint64_t due = 0;
  };
  const std::map<UINT_PTR, Timer>& Timers() const { return timers_; }

  // Frames: a copy of the screen bitmap after each paint.
  int PaintCount() const { return paint_count_; }
  const std::vector<RECT>& PresentedRects() const { return presented_; }
  bool SaveFramePng(const std::string& path, std::string* reason = nullptr) const;

 protected:
  void Present(const RECT& rect) override;
  void Wake() override {}

 private:
  friend class HeadlessBackend;
  HeadlessBackend& backend_;
  SIZE screen_size_{kDefaultScreenWidth, kDefaultScreenHeight};
  RECT window_rect_{0, 0, kDefaultScreenWidth, kDefaultScreenHeight};
  std::map<UINT_PTR, Timer> timers_;
  int paint_count_ = 0;
  std::vector<RECT> presented_;
};

class HeadlessBackend : public WindowBackend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  std::unique_ptr<WindowHost> CreateMainWindow(const std::u16string& title) override;
  int RunDialog(Dialog& dialog) override;
  int RunPropertySheet(PropertySheet& sheet) override;
  bool ReadClipboardText(std::u16string* text) override;
  bool WriteClipboardText(const std::u16string& text) override;

  TestClock& Clock() { return clock_; }
  // Moves the test clock, firing every due timer of every headless window in
  // time order (each at its due tick), then dispatches posted messages.
  void Advance(uint64_t milliseconds);

  // Scripts for the next modal runs, in order. A script acts on the opened
  // dialog; when it leaves the dialog open the run ends with IDCANCEL.
  // A run without a script ends with IDCANCEL too.
  using DialogScript = std::function<void(DialogDriver&)>;
  using SheetScript = std::function<void(SheetDriver&)>;
  void ExpectDialog(DialogScript script) { dialog_scripts_.push_back(std::move(script)); }
  void ExpectSheet(SheetScript script) { sheet_scripts_.push_back(std::move(script)); }
  size_t PendingScripts() const { return dialog_scripts_.size() + sheet_scripts_.size(); }

  struct DialogRecord {
    std::u16string caption;
    UINT template_id = 0;  // 0 for sheets
    int result = 0;
    bool scripted = false;
  };
  const std::vector<DialogRecord>& Dialogs() const { return dialogs_; }

  // Every message box shown while the back end lives (answer: the box's
  // default button unless set).
  MessageBoxCapture& MessageBoxes() { return boxes_; }

  // The soft input panel (hidden; 160 pixels tall above the menu bar band of
  // the default screen). Showing or hiding it sends WM_SETTINGCHANGE with
  // SPI_SETSIPINFO to every window, then dispatches what they posted.
  InputPanel& Panel() { return panel_; }

  // Every change of the wait cursor while the back end lives (true: shown).
  const std::vector<bool>& WaitCursorChanges() const { return wait_cursor_changes_; }

  // The clipboard's content as another program would leave it.
  void SetClipboard(const std::u16string& text);
  void ClearClipboard();

  const std::vector<HeadlessHost*>& Hosts() const { return hosts_; }

 private:
  friend class HeadlessHost;
  WindowBackend* previous_backend_ = nullptr;
  ::Clock* previous_clock_ = nullptr;
  TestClock clock_;
  MessageBoxCapture boxes_;
  InputPanel panel_{{0, kDefaultScreenHeight - kMenuBarBand - 160, kDefaultScreenWidth,
                     kDefaultScreenHeight - kMenuBarBand}};
  InputPanel* previous_panel_ = nullptr;
  WaitCursorHandler previous_wait_cursor_;
  std::vector<bool> wait_cursor_changes_;
  std::deque<DialogScript> dialog_scripts_;
  std::deque<SheetScript> sheet_scripts_;
  std::vector<DialogRecord> dialogs_;
  std::vector<HeadlessHost*> hosts_;
  bool has_clipboard_ = false;
  std::u16string clipboard_;
};
