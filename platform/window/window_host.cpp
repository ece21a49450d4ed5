#include "platform/window/window_host.h"

#include "platform/window/hot_keys.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace {

struct HostMap {
  std::mutex lock;
  std::unordered_map<HWND, WindowHost*> hosts;
};

HostMap& Hosts() {
  static HostMap* map = new HostMap;
  return *map;
}

RECT Union(const RECT& a, const RECT& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

WindowHost::WindowHost() {
  handle_ = CreateWindowHandle(
      [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return procedure_ ? procedure_(window, message, wParam, lParam) : 0;
      },
      [this] { Wake(); });
  std::lock_guard<std::mutex> guard(Hosts().lock);
  Hosts().hosts[handle_] = this;
}

WindowHost::~WindowHost() {
  {
    std::lock_guard<std::mutex> guard(Hosts().lock);
    Hosts().hosts.erase(handle_);
  }
  UnregisterHotKeysOf(handle_);
  DestroyWindowHandle(handle_);
}

WindowHost* WindowHost::FromHandle(HWND window) {
  std::lock_guard<std::mutex> guard(Hosts().lock);
  auto it = Hosts().hosts.find(window);
  return it == Hosts().hosts.end() ? nullptr : it->second;
}

void WindowHost::SetDisplayPowerOfAll(bool on) {
  std::vector<WindowHost*> hosts;
  {
    std::lock_guard<std::mutex> guard(Hosts().lock);
    for (auto& [handle, host] : Hosts().hosts) hosts.push_back(host);
  }
  for (WindowHost* host : hosts) host->SetDisplayPower(on);
}

LRESULT WindowHost::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(handle_, message, wParam, lParam);
}

void WindowHost::SetCommandBar(const CommandBar& bar) { command_bar_ = bar; }
void WindowHost::ShowCommandBar(bool show) { command_bar_shown_ = show; }
void WindowHost::SetToolbar(const std::vector<ToolButton>& buttons) { toolbar_ = buttons; }
void WindowHost::ShowToolbar(bool show) { toolbar_shown_ = show; }

void WindowHost::InvalidateRect(const RECT* rect, bool) {
  RECT whole = ClientRect();
  RECT add = rect ? *rect : whole;
  add = {std::max(add.left, whole.left), std::max(add.top, whole.top),
         std::min(add.right, whole.right), std::min(add.bottom, whole.bottom)};
  if (add.IsEmpty()) return;
  invalid_ = invalid_ ? Union(*invalid_, add) : add;
  ScheduleRepaint();
}

void WindowHost::Update() {
  if (!invalid_) return;
  Send(WM_PAINT);
  // A handler that painted nothing still validates, as the default handling does.
  invalid_.reset();
}

RECT WindowHost::InvalidRect() const { return invalid_ ? *invalid_ : ClientRect(); }

void WindowHost::EndPaint(const RECT& painted) {
  invalid_.reset();
  Present(painted);
}

void WindowHost::EndModal(int code) { result_ = code; }

void WindowHost::SetClientSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == client_width_ && height == client_height_) return;
  client_width_ = width;
  client_height_ = height;
  screen_.Create(width, height);
  Invalidate();
  Send(WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
}

PaintScope::PaintScope(WindowHost& host)
    : host_(host), dc_(&host.ScreenBitmap()), rect_(host.InvalidRect()) {}

PaintScope::PaintScope(HWND window) : PaintScope(*WindowHost::FromHandle(window)) {}

PaintScope::~PaintScope() { host_.EndPaint(rect_); }

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return FALSE;
  host->InvalidateRect(rect, erase != FALSE);
  return TRUE;
}

BOOL UpdateWindow(HWND window) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return FALSE;
  host->Update();
  return TRUE;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void*) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return 0;
  host->SetTimer(id, milliseconds);
  return id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return FALSE;
  host->KillTimer(id);
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host || !rect) return FALSE;
  *rect = host->ClientRect();
  return TRUE;
}

BOOL SetWindowTextW(HWND window, const std::u16string& text) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return FALSE;
  host->SetTitle(text);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  WindowHost* host = WindowHost::FromHandle(window);
  if (!host) return FALSE;
  host->MoveWindow({x, y, x + width, y + height});
  if (repaint) host->Invalidate();
  return TRUE;
}

SIZE FitMainWindowSize(SIZE work) {
  return {std::max<LONG>(1, std::min<LONG>(kDefaultScreenWidth, work.cx)),
          std::max<LONG>(1, std::min<LONG>(kDefaultScreenHeight, work.cy - kWindowFrameAllowance))};
}
