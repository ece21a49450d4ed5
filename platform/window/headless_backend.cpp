#include "platform/window/headless_backend.h"

#include "platform/window/hot_keys.h"
#include "platform/window/png_file.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// Windows runs shorter periods at this rate.
constexpr UINT kMinimumTimerPeriod = 10;
}  // namespace

HeadlessHost::HeadlessHost(HeadlessBackend& backend, const std::u16string& title)
    : backend_(backend) {
  title_ = title;
  backend_.hosts_.push_back(this);
  SetClientSize(window_rect_.Width(), window_rect_.Height());
}

HeadlessHost::~HeadlessHost() { std::erase(backend_.hosts_, this); }

void HeadlessHost::MoveWindow(const RECT& rect) {
  window_rect_ = rect;
  if (!full_screen_) SetClientSize(rect.Width(), rect.Height());
}

void HeadlessHost::SetFullScreen(bool on) {
  if (on == full_screen_) return;
  full_screen_ = on;
  if (on) SetClientSize(screen_size_.cx, screen_size_.cy);
  else SetClientSize(window_rect_.Width(), window_rect_.Height());
}

void HeadlessHost::ShowCommandBar(bool show) { command_bar_shown_ = show; }
void HeadlessHost::ShowToolbar(bool show) { toolbar_shown_ = show; }

void HeadlessHost::SetTimer(UINT_PTR id, UINT milliseconds) {
  const UINT period = std::max(milliseconds, kMinimumTimerPeriod);
  timers_[id] = Timer{period, backend_.clock_.Now() + period};
}

void HeadlessHost::KillTimer(UINT_PTR id) { timers_.erase(id); }

int HeadlessHost::Run() {
  PumpMessages();
  return result_ ? *result_ : -1;
}

void HeadlessHost::Resize(int width, int height) {
  window_rect_.right = window_rect_.left + width;
  window_rect_.bottom = window_rect_.top + height;
  SetClientSize(width, height);
}

void HeadlessHost::Tap(int x, int y) {
  const LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, point);
  Send(WM_LBUTTONUP, 0, point);
  PumpMessages();
}

void HeadlessHost::PressKey(UINT vk, UINT modifiers) {
  HWND owner = nullptr;
  int id = 0;
  const bool hot = FindHotKey(modifiers, vk, &owner, &id);
  RouteKeyPress(handle_, modifiers, vk);
  if (hot && owner != handle_) DispatchPostedMessages(owner);
  PumpMessages();
}

void HeadlessHost::ChooseCommand(UINT id) {
  Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  PumpMessages();
}

const MenuItem& HeadlessHost::OpenMenu() {
  Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(&command_bar_.menu), 0);
  return command_bar_.menu;
}

void HeadlessHost::SetFocus(bool focused) {
  Send(focused ? WM_SETFOCUS : WM_KILLFOCUS);
  PumpMessages();
}

int HeadlessHost::PumpMessages() {
  int total = 0;
  for (int n; (n = DispatchPostedMessages(handle_)) > 0;) total += n;
  return total;
}

int HeadlessHost::WaitAndPump(DWORD milliseconds) {
  WaitPostedMessage(handle_, milliseconds);
  return PumpMessages();
}

bool HeadlessHost::SaveFramePng(const std::string& path, std::string* reason) const {
  return WritePng(screen_, path, reason);
}

void HeadlessHost::Present(const RECT& rect) {
  ++paint_count_;
  presented_.push_back(rect);
}

HeadlessBackend::HeadlessBackend() {
  previous_backend_ = SetWindowBackend(this);
  previous_clock_ = SetClock(&clock_);
  previous_panel_ = SetInputPanel(&panel_);
  previous_wait_cursor_ =
      SetWaitCursorHandler([this](bool shown) { wait_cursor_changes_.push_back(shown); });
  panel_.OnChange([this] {
    for (HeadlessHost* host : std::vector<HeadlessHost*>(hosts_)) {
      host->Send(WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
      host->PumpMessages();
    }
  });
}

HeadlessBackend::~HeadlessBackend() {
  SetWaitCursorHandler(std::move(previous_wait_cursor_));
  SetInputPanel(previous_panel_);
  SetClock(previous_clock_);
  SetWindowBackend(previous_backend_);
}

std::unique_ptr<WindowHost> HeadlessBackend::CreateMainWindow(const std::u16string& title) {
  return std::make_unique<HeadlessHost>(*this, title);
}

int HeadlessBackend::RunDialog(Dialog& dialog) {
  DialogRecord record;
  record.caption = dialog.Caption();
  record.template_id = dialog.TemplateId();
  dialog.BeginModal();
  // A dialog that ends while it opens uses no script.
  if (!dialog.Ended() && !dialog_scripts_.empty()) {
    DialogScript script = std::move(dialog_scripts_.front());
    dialog_scripts_.pop_front();
    DialogDriver driver(dialog);
    script(driver);
    record.scripted = true;
  }
  if (!dialog.Ended()) dialog.EndDialog(IDCANCEL);
  record.result = dialog.Result();
  dialog.FinishModal();
  dialogs_.push_back(record);
  return record.result;
}

int HeadlessBackend::RunPropertySheet(PropertySheet& sheet) {
  DialogRecord record;
  record.caption = sheet.Caption();
  sheet.BeginModal();
  if (!sheet.CheckPages() && !sheet_scripts_.empty()) {
    SheetScript script = std::move(sheet_scripts_.front());
    sheet_scripts_.pop_front();
    SheetDriver driver(sheet);
    script(driver);
    record.scripted = true;
  }
  if (!sheet.CheckPages()) sheet.Cancel();
  record.result = sheet.Result();
  sheet.FinishModal();
  dialogs_.push_back(record);
  return record.result;
}

bool HeadlessBackend::ReadClipboardText(std::u16string* text) {
  if (!has_clipboard_) return false;
  *text = clipboard_;
  return true;
}

bool HeadlessBackend::WriteClipboardText(const std::u16string& text) {
  clipboard_ = text;
  has_clipboard_ = !text.empty();
  return true;
}

void HeadlessBackend::SetClipboard(const std::u16string& text) { WriteClipboardText(text); }

void HeadlessBackend::ClearClipboard() {
  clipboard_.clear();
  has_clipboard_ = false;
}

void HeadlessBackend::Advance(uint64_t milliseconds) {
  const uint64_t target = clock_.Now() + milliseconds;
  for (;;) {
    HeadlessHost* due_host = nullptr;
    UINT_PTR due_id = 0;
    uint64_t due = target + 1;
    for (HeadlessHost* host : hosts_) {
      for (const auto& [id, timer] : host->timers_) {
        if (timer.due < due) {
          due = timer.due;
          due_host = host;
          due_id = id;
        }
      }
    }
    if (due_host == nullptr) break;
    clock_.SetNow(due);
    HeadlessHost::Timer& timer = due_host->timers_[due_id];
    timer.due = due + timer.period;
    due_host->Send(WM_TIMER, due_id, 0);
    due_host->PumpMessages();
  }
  clock_.SetNow(target);
  for (HeadlessHost* host : std::vector<HeadlessHost*>(hosts_)) host->PumpMessages();
}
