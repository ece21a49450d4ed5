// The reader's top-level window as the back ends provide it: a client area
// shown from a 24-bit screen bitmap, a menu bar and a toolbar (models),
// timers, invalidation, full screen, the wait cursor and the display power.
// Everything the window reports reaches its procedure as a message:
// WM_PAINT, WM_SIZE, WM_LBUTTONDOWN, WM_KEYDOWN, WM_HOTKEY, WM_TIMER,
// WM_COMMAND (menu, bars), WM_INITMENUPOPUP, WM_SETFOCUS, WM_KILLFOCUS,
// WM_ACTIVATE (a dialog or box of the program opened over it, or closed),
// WM_CLOSE and whatever is posted to Handle().
#pragma once

#include "platform/window/bar_window.h"
#include "platform/window/bitmap.h"
#include "platform/window/device_context.h"
#include "platform/window/icon.h"
#include "platform/window/menu_model.h"
#include "platform/window/window_handle.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The default client size: a handheld's screen.
constexpr int kDefaultScreenWidth = 480;
constexpr int kDefaultScreenHeight = 640;
// Room a window manager's frame and title bar take.
constexpr int kWindowFrameAllowance = 30;

// The main window's size on a screen whose work area is `work`: the default
// size where it fits with its frame, else the largest that does.
SIZE FitMainWindowSize(SIZE work);

class WindowHost {
 public:
  WindowHost();
  virtual ~WindowHost();
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  HWND Handle() const { return handle_; }
  // The owner's message procedure (the main window's message map).
  void SetProcedure(WindowProc procedure) { procedure_ = std::move(procedure); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  virtual void SetTitle(const std::u16string& title) { title_ = title; }
  const std::u16string& Title() const { return title_; }

  // {0, 0, width, height} of the client area.
  RECT ClientRect() const { return {0, 0, client_width_, client_height_}; }
  // The whole screen (the client size in full screen).
  virtual SIZE ScreenSize() const = 0;
  // Places the window (screen pixels); the client area is what the bars leave.
  virtual void MoveWindow(const RECT& rect) = 0;

  virtual void SetFullScreen(bool on) = 0;
  bool IsFullScreen() const { return full_screen_; }

  // The menu bar (shown unless hidden) and the toolbar (hidden until shown).
  virtual void SetCommandBar(const CommandBar& bar);
  const CommandBar& GetCommandBar() const { return command_bar_; }
  virtual void ShowCommandBar(bool show);
  bool CommandBarShown() const { return command_bar_shown_; }
  virtual void SetToolbar(const std::vector<ToolButton>& buttons);
  const std::vector<ToolButton>& Toolbar() const { return toolbar_; }
  virtual void ShowToolbar(bool show);
  bool ToolbarShown() const { return toolbar_shown_; }
  // The toolbar as a bar that the soft-input-panel layout stacks; where it
  // was last placed (screen pixels; the desktop's back end lays its bars out
  // itself).
  BarWindow& ToolbarWindow() { return toolbar_window_; }
  const RECT& ToolbarRect() const { return toolbar_rect_; }
  static constexpr int kToolbarHeight = 26;

  // Marks (part of) the client area for the next WM_PAINT; null = all.
  void InvalidateRect(const RECT* rect, bool erase = false);
  void Invalidate(bool erase = false) { InvalidateRect(nullptr, erase); }
  bool IsInvalid() const { return invalid_.has_value(); }
  // Sends WM_PAINT at once when something is invalid.
  void Update();

  // Periodic WM_TIMER(id) every `milliseconds` until killed; setting a
  // running id restarts it with the new period.
  virtual void SetTimer(UINT_PTR id, UINT milliseconds) = 0;
  virtual void KillTimer(UINT_PTR id) = 0;

  // WM_SETICON: the big icon (title and task bars) or the small one.
  virtual void SetIcon(HICON icon, bool big) { (big ? big_icon_ : small_icon_) = icon; }
  HICON GetIcon(bool big) const { return big ? big_icon_ : small_icon_; }

  virtual void SetWaitCursor(bool on) { wait_cursor_ = on; }
  bool WaitCursor() const { return wait_cursor_; }

  // Display power of the screen this window is shown on.
  virtual void SetDisplayPower(bool on) { display_on_ = on; }
  bool DisplayOn() const { return display_on_; }

  // The modal loop of a main window: dispatches until EndModal and returns
  // its code. The headless host only dispatches what is pending and returns
  // the code once ended (-1 while still running).
  virtual int Run() = 0;
  virtual void EndModal(int code);
  bool Ended() const { return result_.has_value(); }

  // For WM_PAINT handlers (use PaintScope): the bitmap the screen shows.
  Bitmap& ScreenBitmap() { return screen_; }
  const Bitmap& ScreenBitmap() const { return screen_; }
  RECT InvalidRect() const;
  // Called by PaintScope's end: validates and shows the rectangle.
  void EndPaint(const RECT& painted);

  // The host of a handle (null for dialogs and unknown handles).
  static WindowHost* FromHandle(HWND window);
  // Every host's SetDisplayPower (the display escape).
  static void SetDisplayPowerOfAll(bool on);

 protected:
  // Client area changes: resizes the screen bitmap, invalidates, WM_SIZE.
  void SetClientSize(int width, int height);
  // Shows the painted part of the screen bitmap.
  virtual void Present(const RECT& rect) = 0;
  // The window should paint soon (Update() is called by the back end).
  virtual void ScheduleRepaint() {}
  // Runs after a post from any thread: the back end must soon dispatch the
  // posted messages on the window's thread.
  virtual void Wake() = 0;

  HWND handle_ = nullptr;
  WindowProc procedure_;
  std::u16string title_;
  int client_width_ = 0;
  int client_height_ = 0;
  bool full_screen_ = false;
  CommandBar command_bar_;
  bool command_bar_shown_ = true;
  std::vector<ToolButton> toolbar_;
  bool toolbar_shown_ = false;
  RECT toolbar_rect_{};
  std::optional<RECT> invalid_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  bool wait_cursor_ = false;
  bool display_on_ = true;
  std::optional<int> result_;
  Bitmap screen_;

 private:
  class ToolbarBar : public BarWindow {
   public:
    explicit ToolbarBar(WindowHost& host) : host_(host) {}
    int BarHeight() const override { return kToolbarHeight; }
    void MoveBar(const RECT& rect) override { host_.toolbar_rect_ = rect; }
    void ShowBar(bool show) override { host_.ShowToolbar(show); }

   private:
    WindowHost& host_;
  };
  ToolbarBar toolbar_window_{*this};
};

// BeginPaint/EndPaint of a WM_PAINT handler: a device context over the
// host's screen bitmap; its end shows the invalid rectangle (or `Present`ed
// ones) and validates the window.
class PaintScope {
 public:
  explicit PaintScope(WindowHost& host);
  explicit PaintScope(HWND window);  // the window must have a host
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  DeviceContext& Dc() { return dc_; }
  // The rectangle to paint (rcPaint).
  const RECT& PaintRect() const { return rect_; }

 private:
  WindowHost& host_;
  DeviceContext dc_;
  RECT rect_;
};

// Windows-named forms of the host's services for code that holds an HWND.
// They do nothing (FALSE) for handles without a host.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void* unused_procedure = nullptr);
BOOL KillTimer(HWND window, UINT_PTR id);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL SetWindowTextW(HWND window, const std::u16string& text);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
