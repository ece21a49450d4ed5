#include "platform/window/fltk_backend.h"

#include "platform/unicode.h"
#include "platform/window/fltk_inspect.h"
#include "platform/window/fltk_internal.h"
#include "platform/window/hot_keys.h"
#include "platform/window/message_box_model.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace fltk_backend {

namespace {
std::vector<HWND>& Pumped() {
  static std::vector<HWND> windows;
  return windows;
}
}  // namespace

void AddPumpedWindow(HWND window) { Pumped().push_back(window); }
void RemovePumpedWindow(HWND window) { std::erase(Pumped(), window); }

void PumpAll() {
  for (HWND window : std::vector<HWND>(Pumped())) DispatchPostedMessages(window);
}

void SendToMainWindows(UINT message, WPARAM wParam, LPARAM lParam) {
  for (HWND window : std::vector<HWND>(Pumped()))
    if (WindowHost::FromHandle(window)) SendMessageW(window, message, wParam, lParam);
}

void WakeLoop() { Fl::awake(); }

namespace {
std::function<void()>& MainWindowAction() {
  static std::function<void()> action;
  return action;
}
}  // namespace

void WhenMainWindowRuns(std::function<void()> action) { MainWindowAction() = std::move(action); }

std::string ToUtf8(const std::u16string& text) { return Utf16ToUtf8(text); }

std::u16string FromUtf8(const char* text) {
  std::u16string out;
  if (text) Utf8ToUtf16(text, &out);
  return out;
}

}  // namespace fltk_backend

using namespace fltk_backend;

namespace {

struct KeyMapping {
  int fltk_key;
  UINT vk;
  UINT modifiers;
};

// F1-F12 are the application buttons 1-12 (below); the rest as listed.
constexpr KeyMapping kKeyMappings[] = {
    {FL_Left, VK_LEFT, 0},
    {FL_Up, VK_UP, 0},
    {FL_Right, VK_RIGHT, 0},
    {FL_Down, VK_DOWN, 0},
    {FL_Enter, VK_RETURN, 0},
    {FL_KP_Enter, VK_RETURN, 0},
    {FL_Escape, VK_ESCAPE, 0},
    {FL_Home, VK_HOME, 0},
    {FL_End, VK_END, 0},
    {FL_Page_Up, 0xCD, MOD_WIN},
    {FL_Page_Down, 0xCE, MOD_WIN},
    {FL_Media_Play, VK_APP15, MOD_WIN},
    {FL_Media_Stop, VK_MEDIA_STOP, 0},
    {FL_Media_Prev, VK_MEDIA_PREV_TRACK, 0},
    {FL_Media_Next, VK_MEDIA_NEXT_TRACK, 0},
    {FL_Volume_Down, VK_VOLUME_DOWN, 0},
    {FL_Volume_Up, VK_VOLUME_UP, 0},
    {FL_Volume_Mute, VK_VOLUME_MUTE, 0},
};
constexpr int kFunctionKeys = 12;

}  // namespace

bool MapFltkKey(int key, UINT* vk, UINT* modifiers) {
  *modifiers = 0;
  if (key >= FL_F + 1 && key <= FL_F + kFunctionKeys) {
    *vk = VK_APP1 + static_cast<UINT>(key - (FL_F + 1));
    *modifiers = MOD_WIN;
    return true;
  }
  for (const KeyMapping& m : kKeyMappings) {
    if (m.fltk_key != key) continue;
    *vk = m.vk;
    *modifiers = m.modifiers;
    return true;
  }
  return false;
}

namespace fltk_backend {

std::vector<int> FltkKeysFor(UINT vk, UINT modifiers) {
  std::vector<int> keys;
  if (modifiers == MOD_WIN && vk >= VK_APP1 && vk < VK_APP1 + kFunctionKeys)
    keys.push_back(FL_F + 1 + static_cast<int>(vk - VK_APP1));
  for (const KeyMapping& m : kKeyMappings)
    if (m.vk == vk && m.modifiers == modifiers) keys.push_back(m.fltk_key);
  return keys;
}

void PressFltkKey(int fltk_key) {
  UINT vk = 0, modifiers = 0;
  if (!MapFltkKey(fltk_key, &vk, &modifiers)) return;
  RouteKeyPress(nullptr, modifiers, vk);
  PumpAll();
}

}  // namespace fltk_backend

namespace {

constexpr int kBarHeight = 26;
constexpr int kMenuButtonWidth = 80;
constexpr int kMinButtonWidth = 23;  // a handheld's bar button
constexpr int kSeparatorWidth = 6;
constexpr int kBarLabelSize = 12;

class FltkHost;
void TellFocusIn(Fl_Window* window);

// Hot keys come before any widget: a registered combination never reaches
// the focused widget.
int DispatchEvent(int event, Fl_Window* window) {
  if (event == FL_KEYDOWN) {
    UINT vk = 0, modifiers = 0;
    if (MapFltkKey(Fl::event_key(), &vk, &modifiers) && FindHotKey(modifiers, vk, nullptr, nullptr)) {
      fltk_backend::PressFltkKey(Fl::event_key());
      return 1;
    }
  }
  if (event == FL_RELEASE) ReleaseEndsHold();
  const int handled = Fl::handle_(event, window);
  // FLTK passes the keyboard on to the page only when it thinks the focus
  // was outside the window; the reader must hear of every return.
  if (event == FL_FOCUS) TellFocusIn(window);
  return handled;
}

// The client area: shows the host's screen bitmap and reports taps and keys.
class ClientView : public Fl_Widget {
 public:
  ClientView(FltkHost& host, int x, int y, int w, int h) : Fl_Widget(x, y, w, h), host_(host) {}
  void draw() override;
  int handle(int event) override;

 private:
  FltkHost& host_;
};

class MenuButton : public Fl_Menu_Button {
 public:
  MenuButton(FltkHost& host, int x, int y, int w, int h) : Fl_Menu_Button(x, y, w, h), host_(host) {}
  int handle(int event) override;

 private:
  FltkHost& host_;
};

class MainWindow : public Fl_Double_Window {
 public:
  MainWindow(FltkHost& host, int w, int h) : Fl_Double_Window(w, h), host_(host) {}
  void resize(int x, int y, int w, int h) override;
  FltkHost& Host() { return host_; }

 private:
  FltkHost& host_;
};

class FltkHost : public WindowHost {
 public:
  explicit FltkHost(const std::u16string& title) {
    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_work_area(sx, sy, sw, sh);
    const SIZE size = FitMainWindowSize({sw, sh});
    window_ = std::make_unique<MainWindow>(*this, size.cx, size.cy);
    window_->position(sx, sy);
    window_->begin();
    view_ = new ClientView(*this, 0, 0, size.cx, size.cy);
    menu_ = new MenuButton(*this, 0, 0, 80, kBarHeight);
    menu_->clear_visible_focus();
    menu_->labelsize(kBarLabelSize);
    window_->end();
    window_->resizable(view_);
    window_->size_range(120, 160);
    window_->callback(
        [](Fl_Widget*, void* data) {
          auto* host = static_cast<FltkHost*>(data);
          host->Send(WM_CLOSE);
          if (!host->Ended()) host->EndModal(IDCANCEL);
        },
        this);
    SetTitle(title);
    AddPumpedWindow(handle_);
    Layout();
  }

  ~FltkHost() override {
    for (auto& [id, timer] : timers_) Fl::remove_timeout(OnTimer, timer.get());
    RemovePumpedWindow(handle_);
  }

  void SetTitle(const std::u16string& title) override {
    WindowHost::SetTitle(title);
    window_->copy_label(ToUtf8(title).c_str());
  }

  SIZE ScreenSize() const override { return {window_->w(), window_->h()}; }
  // Placement belongs to the window manager here.
  void MoveWindow(const RECT&) override {}

  void SetFullScreen(bool on) override {
    if (on == full_screen_) return;
    full_screen_ = on;
    if (on) window_->fullscreen();
    else window_->fullscreen_off();
    // Without a window manager FLTK maps the window again, over the
    // program's dialogs and boxes.
    RaiseOpenWindows();
  }

  void SetCommandBar(const CommandBar& bar) override {
    WindowHost::SetCommandBar(bar);
    RebuildBars();
  }
  void ShowCommandBar(bool show) override {
    WindowHost::ShowCommandBar(show);
    Layout();
  }
  void SetToolbar(const std::vector<ToolButton>& buttons) override {
    WindowHost::SetToolbar(buttons);
    RebuildBars();
  }
  void ShowToolbar(bool show) override {
    WindowHost::ShowToolbar(show);
    Layout();
  }

  void SetTimer(UINT_PTR id, UINT milliseconds) override {
    KillTimer(id);
    auto timer = std::make_unique<Timer>(Timer{this, id, std::max(milliseconds, 10u) / 1000.0});
    Fl::add_timeout(timer->seconds, OnTimer, timer.get());
    timers_[id] = std::move(timer);
  }

  void KillTimer(UINT_PTR id) override {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    Fl::remove_timeout(OnTimer, it->second.get());
    timers_.erase(it);
  }

  // The window carries each distinct icon (_NET_WM_ICON); the window
  // manager picks the size it shows.
  void SetIcon(HICON icon, bool big) override {
    WindowHost::SetIcon(icon, big);
    std::vector<std::unique_ptr<Fl_RGB_Image>> images;
    std::vector<const Fl_RGB_Image*> list;
    for (HICON each : {big_icon_, small_icon_}) {
      if (!each || each->picture.IsEmpty() || (each == small_icon_ && each == big_icon_ && !list.empty()))
        continue;
      images.push_back(MakeIconImage(*each));
      list.push_back(images.back().get());
    }
    // The window keeps copies.
    window_->icons(list.data(), static_cast<int>(list.size()));
  }

  void SetWaitCursor(bool on) override {
    WindowHost::SetWaitCursor(on);
    window_->cursor(on ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
    Fl::flush();
  }

  void SetDisplayPower(bool on) override {
    WindowHost::SetDisplayPower(on);
    view_->redraw();
  }

  int Run() override {
    window_->show();
    Fl::focus(view_);
    while (!result_ && window_->shown()) {
      Fl::wait(0.5);
      PumpAll();
      if (IsInvalid()) view_->redraw();
      if (MainWindowAction()) {
        const std::function<void()> action = std::move(MainWindowAction());
        MainWindowAction() = nullptr;
        window_->wait_for_expose();
        Fl::flush();
        action();
      }
    }
    window_->hide();
    Fl::flush();
    return result_ ? *result_ : IDCANCEL;
  }

  void Layout() {
    const int w = window_->w(), h = window_->h();
    int bottom = h;
    const bool bars = !full_screen_;
    if (command_bar_shown_ && bars) {
      bottom -= kBarHeight;
      PlaceBar(menu_, command_buttons_, bottom);
    } else {
      HideBar(menu_, command_buttons_);
    }
    if (toolbar_shown_ && bars && !toolbar_buttons_.empty()) {
      bottom -= kBarHeight;
      PlaceBar(nullptr, toolbar_buttons_, bottom);
    } else {
      HideBar(nullptr, toolbar_buttons_);
    }
    view_->resize(0, 0, w, std::max(bottom, 1));
    SetClientSize(w, std::max(bottom, 1));
    window_->redraw();
  }

  void Draw() {
    in_draw_ = true;
    Update();
    in_draw_ = false;
    DrawScreen(screen_, view_->x(), view_->y(), view_->w(), view_->h(), display_on_);
  }

  void OpenMenu() {
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(&command_bar_.menu), 0);
    BuildMenu();
  }

  bool ReadPixels(Bitmap* pixels) {
    if (!window_->shown()) return false;
    view_->redraw();
    Fl::flush();
    window_->make_current();
    return ReadScreen(view_->x(), view_->y(), view_->w(), view_->h(), pixels);
  }

  ClientView* View() { return view_; }
  SIZE WindowSize() const { return {window_->w(), window_->h()}; }
  std::vector<RECT> ButtonRects(bool toolbar) const {
    std::vector<RECT> out;
    for (Fl_Widget* b : toolbar ? toolbar_buttons_ : command_buttons_)
      if (b->visible() && b->label() && *b->label())
        out.push_back({b->x(), b->y(), b->x() + b->w(), b->y() + b->h()});
    return out;
  }

 protected:
  void Present(const RECT&) override {
    if (!in_draw_) view_->redraw();
  }
  void ScheduleRepaint() override { view_->redraw(); }
  void Wake() override { WakeLoop(); }

 private:
  struct Timer {
    FltkHost* host;
    UINT_PTR id;
    double seconds;
  };

  static void OnTimer(void* data) {
    auto* timer = static_cast<Timer*>(data);
    Fl::repeat_timeout(timer->seconds, OnTimer, data);
    FltkHost* host = timer->host;
    const UINT_PTR id = timer->id;  // the handler may kill the timer
    host->Send(WM_TIMER, id, 0);
    PumpAll();
  }

  static void OnCommand(Fl_Widget*, void* data) {
    auto* self = static_cast<CommandTarget*>(data);
    self->host->Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(self->command), 0), 0);
    PumpAll();
  }

  struct CommandTarget {
    FltkHost* host;
    UINT command;
  };

  // Buttons take their labels' width; when that is more than the bar has,
  // every button gives up the same share of its excess so all still fit.
  void PlaceBar(Fl_Widget* first, std::vector<Fl_Widget*>& buttons, int y) {
    int x = 0;
    const int width = window_->w();
    if (first) {
      const int w = std::min(kMenuButtonWidth, std::max(kMinButtonWidth, width / 6));
      first->resize(x, y, w, kBarHeight);
      first->show();
      x += w + 2;
    }
    std::vector<int> widths;
    int natural = 0, gaps = 0;
    for (Fl_Widget* b : buttons) {
      const bool gap = !(b->label() && *b->label());
      widths.push_back(gap ? kSeparatorWidth : std::max(kMinButtonWidth, LabelWidth(b->label(), kBarLabelSize) + 12));
      (gap ? gaps : natural) += widths.back() + 2;
    }
    const int room = width - x - gaps;
    if (natural > room && natural > 0) {
      for (size_t i = 0; i < buttons.size(); ++i) {
        if (widths[i] == kSeparatorWidth && !(buttons[i]->label() && *buttons[i]->label())) continue;
        widths[i] = std::max(kMinButtonWidth, (widths[i] + 2) * room / natural - 2);
      }
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
      buttons[i]->resize(x, y, widths[i], kBarHeight);
      buttons[i]->show();
      x += widths[i] + 2;
    }
  }

  void HideBar(Fl_Widget* first, std::vector<Fl_Widget*>& buttons) {
    if (first) first->hide();
    for (Fl_Widget* b : buttons) b->hide();
  }

  Fl_Widget* MakeButton(const ToolButton& b) {
    if (b.separator) {
      auto* gap = new Fl_Box(0, 0, kSeparatorWidth, kBarHeight);
      return gap;
    }
    auto* button = new Fl_Button(0, 0, 40, kBarHeight);
    button->copy_label(ToUtf8(b.text).c_str());
    button->labelsize(kBarLabelSize);
    button->align(FL_ALIGN_CLIP);
    if (!b.tip.empty()) button->copy_tooltip(ToUtf8(b.tip).c_str());
    button->clear_visible_focus();
    if (!b.enabled) button->deactivate();
    targets_.push_back({this, b.command});
    button->callback(OnCommand, &targets_.back());
    return button;
  }

  void RebuildBars() {
    // Out of the window first: a window deleted before the queued deletion
    // runs would delete them a second time.
    for (auto* buttons : {&command_buttons_, &toolbar_buttons_}) {
      for (Fl_Widget* w : *buttons) {
        window_->remove(w);
        Fl::delete_widget(w);
      }
    }
    command_buttons_.clear();
    toolbar_buttons_.clear();
    window_->begin();
    for (const ToolButton& b : command_bar_.buttons) command_buttons_.push_back(MakeButton(b));
    for (const ToolButton& b : toolbar_) toolbar_buttons_.push_back(MakeButton(b));
    window_->end();
    menu_->copy_label(ToUtf8(command_bar_.menu.text.empty() ? u"Menu" : command_bar_.menu.text).c_str());
    BuildMenu();
    Layout();
  }

  // FLTK menus are arrays of items with submenus inline, ended by empty items.
  void AddItems(const std::vector<MenuItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      const MenuItem& m = items[i];
      if (m.separator) {
        if (!menu_items_.empty() && menu_items_.back().text) menu_items_.back().flags |= FL_MENU_DIVIDER;
        continue;
      }
      labels_.push_back(ToUtf8(m.text));
      Fl_Menu_Item item{};
      item.text = labels_.back().c_str();
      if (!m.enabled) item.flags |= FL_MENU_INACTIVE;
      if (m.IsPopup()) {
        item.flags |= FL_SUBMENU;
        menu_items_.push_back(item);
        AddItems(m.items);
        menu_items_.push_back(Fl_Menu_Item{});
      } else {
        if (m.checked) item.flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
        targets_.push_back({this, m.id});
        item.callback_ = OnCommand;
        item.user_data_ = &targets_.back();
        menu_items_.push_back(item);
      }
    }
  }

  void BuildMenu() {
    menu_items_.clear();
    labels_.clear();
    AddItems(command_bar_.menu.items);
    menu_items_.push_back(Fl_Menu_Item{});
    menu_->menu(menu_items_.data());
  }

  std::unique_ptr<MainWindow> window_;
  ClientView* view_ = nullptr;
  MenuButton* menu_ = nullptr;
  std::vector<Fl_Widget*> command_buttons_;
  std::vector<Fl_Widget*> toolbar_buttons_;
  std::deque<std::string> labels_;
  std::deque<CommandTarget> targets_;
  std::vector<Fl_Menu_Item> menu_items_;
  std::map<UINT_PTR, std::unique_ptr<Timer>> timers_;
  bool in_draw_ = false;
};

void ClientView::draw() { host_.Draw(); }

int ClientView::handle(int event) {
  switch (event) {
    case FL_FOCUS:
      host_.Send(WM_SETFOCUS);
      PumpAll();
      return 1;
    case FL_UNFOCUS:
      host_.Send(WM_KILLFOCUS);
      PumpAll();
      return 1;
    case FL_PUSH:
    case FL_RELEASE: {
      if (Fl::event_button() != FL_LEFT_MOUSE) return 0;
      // Fl::focus sends no FL_FOCUS: the reader is told itself.
      if (event == FL_PUSH && Fl::focus() != this) {
        Fl::focus(this);
        host_.Send(WM_SETFOCUS);
      }
      const LPARAM point = MAKELPARAM(static_cast<WORD>(Fl::event_x() - x()),
                                      static_cast<WORD>(Fl::event_y() - y()));
      host_.Send(event == FL_PUSH ? WM_LBUTTONDOWN : WM_LBUTTONUP, event == FL_PUSH ? MK_LBUTTON : 0,
                 point);
      PumpAll();
      return 1;
    }
    case FL_KEYBOARD: {
      UINT vk = 0, modifiers = 0;
      // On the page, Space is the desktop's page-down key; elsewhere it
      // stays a blank for the edit fields.
      const int key = Fl::event_key() == ' ' ? FL_Page_Down : Fl::event_key();
      if (!MapFltkKey(key, &vk, &modifiers)) return 0;
      RouteKeyPress(host_.Handle(), modifiers, vk);
      PumpAll();
      return 1;
    }
    default:
      return Fl_Widget::handle(event);
  }
}

int MenuButton::handle(int event) {
  if (event == FL_PUSH) host_.OpenMenu();
  return Fl_Menu_Button::handle(event);
}

void TellFocusIn(Fl_Window* window) {
  auto* main = dynamic_cast<MainWindow*>(window);
  if (main == nullptr || Fl::focus() != main->Host().View()) return;
  main->Host().Send(WM_SETFOCUS);
  PumpAll();
}

void MainWindow::resize(int x, int y, int w, int h) {
  const bool sized = w != this->w() || h != this->h();
  Fl_Double_Window::resize(x, y, w, h);
  if (sized) host_.Layout();
}

constexpr int kBoxMargin = 12;
constexpr int kBoxIcon = 32;
constexpr int kBoxButtonHeight = 26;
constexpr int kLabelInset = 8;

// The box's own window: caption as asked, an icon of the box's kind, the
// text wrapped to fit the screen, and its buttons (Enter the default one,
// Escape the cancelling one).
int FltkMessageBox(HWND, const std::u16string& text, const std::u16string& caption, UINT type) {
  const MessageBoxModel model = MakeMessageBoxModel(type);
  int sx = 0, sy = 0, sw = 0, sh = 0;
  Fl::screen_work_area(sx, sy, sw, sh);
  const std::string body = ToUtf8(text);
  const bool has_icon = model.icon != MessageBoxIcon::None;
  const int text_x = kBoxMargin + (has_icon ? kBoxIcon + kBoxMargin : 0);
  const int max_text = std::max(100, std::min(440, sw - 40) - text_x - kBoxMargin);
  int text_w = 0, text_h = 0;
  MeasureWrapped(body.c_str(), max_text, &text_w, &text_h);
  text_w += kLabelInset;  // a box draws its label inside a small margin
  std::vector<std::string> labels;
  int buttons_w = 0;
  for (const MessageBoxButton& b : model.buttons) {
    labels.push_back(ToUtf8(b.label));
    buttons_w += std::max(80, LabelWidth(labels.back().c_str()) + 24) + 6;
  }
  const int width = std::max(text_x + text_w + kBoxMargin, buttons_w + 2 * kBoxMargin);
  const int text_block = std::max(text_h, has_icon ? kBoxIcon : 0);
  const int height = kBoxMargin + text_block + kBoxMargin + kBoxButtonHeight + kBoxMargin;

  Fl_Double_Window window(width, height);
  window.copy_label(ToUtf8(caption).c_str());
  if (has_icon) {
    static const char* const kSigns[] = {"", "X", "?", "!", "i"};
    static const Fl_Color kColours[] = {FL_BLACK, FL_RED, FL_BLUE, FL_DARK_YELLOW, FL_BLUE};
    const int kind = static_cast<int>(model.icon);
    auto* icon = new Fl_Box(FL_OVAL_BOX, kBoxMargin, kBoxMargin, kBoxIcon, kBoxIcon, kSigns[kind]);
    icon->color(kColours[kind]);
    icon->labelcolor(FL_WHITE);
    icon->labelfont(FL_HELVETICA_BOLD);
    icon->labelsize(20);
  }
  auto* message = new Fl_Box(text_x, kBoxMargin, text_w, text_block);
  message->copy_label(body.c_str());
  message->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  int answer = 0;
  struct Choice {
    int* answer;
    int value;
  };
  std::vector<Choice> choices;
  choices.reserve(model.buttons.size());
  Fl_Button* default_button = nullptr;
  int x = (width - buttons_w + 6) / 2;
  const int y = height - kBoxMargin - kBoxButtonHeight;
  for (size_t i = 0; i < model.buttons.size(); ++i) {
    const int w = std::max(80, LabelWidth(labels[i].c_str()) + 24);
    Fl_Button* button = i == model.default_button ? new Fl_Return_Button(x, y, w, kBoxButtonHeight)
                                                  : new Fl_Button(x, y, w, kBoxButtonHeight);
    button->copy_label(labels[i].c_str());
    choices.push_back({&answer, model.buttons[i].answer});
    button->callback([](Fl_Widget*, void* data) {
      auto* c = static_cast<Choice*>(data);
      *c->answer = c->value;
    }, &choices.back());
    if (i == model.default_button) default_button = button;
    x += w + 6;
  }
  window.end();
  Choice escape{&answer, model.escape_answer};
  window.callback([](Fl_Widget*, void* data) {
    auto* c = static_cast<Choice*>(data);
    if (c->value != 0) *c->answer = c->value;
  }, &escape);
  window.position(sx + std::max(0, (sw - width) / 2), sy + std::max(0, (sh - height) / 2));
  // Modal before its X window exists: FLTK makes a window the modal one,
  // and its peer transient for the window below, only when it creates it.
  // Taking the focus earlier would create it as an ordinary window, under
  // the dialog that stays modal and takes every click.
  window.set_modal();
  window.show();
  PushOpenWindow(&window);
  if (default_button) default_button->take_focus();
  while (answer == 0 && window.shown()) {
    Fl::wait(0.5);
    RunPendingAction(window);
  }
  PopOpenWindow();
  window.hide();
  Fl::flush();
  return answer != 0 ? answer : model.buttons[model.default_button].answer;
}

// Receives the text of Fl::paste.
class PasteTarget : public Fl_Widget {
 public:
  PasteTarget() : Fl_Widget(0, 0, 0, 0) {}
  void draw() override {}
  int handle(int event) override {
    if (event != FL_PASTE) return 0;
    text = FromUtf8(Fl::event_text());
    received = true;
    return 1;
  }
  std::u16string text;
  bool received = false;
};

}  // namespace

namespace {

// The busy cursor on every window while a step holds the loop; afterwards
// a main window that still waits on its own keeps it.
void ShowWaitCursorEverywhere(bool shown) {
  for (Fl_Window* window = Fl::first_window(); window; window = Fl::next_window(window))
    window->cursor(shown ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
  if (!shown)
    for (HWND handle : std::vector<HWND>(Pumped()))
      if (WindowHost* host = WindowHost::FromHandle(handle); host && host->WaitCursor())
        host->SetWaitCursor(true);
  Fl::flush();
}

}  // namespace

FltkBackend::FltkBackend() {
  Fl::lock();  // lets other threads wake the loop (Fl::awake)
  Fl::visual(FL_RGB);
  Fl::event_dispatch(DispatchEvent);
  InstallDesktopKeys();
  previous_ = SetWindowBackend(this);
  previous_boxes_ = SetMessageBoxHandler(FltkMessageBox);
  previous_wait_cursor_ = SetWaitCursorHandler(ShowWaitCursorEverywhere);
}

FltkBackend::~FltkBackend() {
  SetWaitCursorHandler(std::move(previous_wait_cursor_));
  SetMessageBoxHandler(previous_boxes_);
  SetWindowBackend(previous_);
  RemoveDesktopKeys();
  Fl::event_dispatch(nullptr);
}

bool FltkBackend::Available() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return false;
  return CanOpenDisplay();
}

std::unique_ptr<WindowHost> FltkBackend::CreateMainWindow(const std::u16string& title) {
  return std::make_unique<FltkHost>(title);
}

int FltkBackend::RunDialog(Dialog& dialog) { return RunFltkDialog(dialog); }

int FltkBackend::RunPropertySheet(PropertySheet& sheet) { return RunFltkSheet(sheet); }

bool FltkBackend::ReadClipboardText(std::u16string* text) {
  if (!Fl::first_window()) return false;
  PasteTarget target;
  Fl::paste(target, 1);
  // Another program answers through the event loop.
  for (int i = 0; i < 40 && !target.received; ++i) Fl::wait(0.025);
  if (!target.received) return false;
  *text = target.text;
  return true;
}

bool FltkBackend::WriteClipboardText(const std::u16string& text) {
  const std::string utf8 = ToUtf8(text);
  Fl::copy(utf8.c_str(), static_cast<int>(utf8.size()), 1);
  return true;
}

bool FltkBackend::ReadWindowPixels(WindowHost& host, Bitmap* pixels) {
  auto* fltk = dynamic_cast<FltkHost*>(&host);
  return fltk && fltk->ReadPixels(pixels);
}

SIZE FltkBackend::WindowSize(WindowHost& host) {
  auto* fltk = dynamic_cast<FltkHost*>(&host);
  return fltk ? fltk->WindowSize() : SIZE{};
}

std::vector<RECT> FltkBackend::BarButtonRects(WindowHost& host, bool toolbar) {
  auto* fltk = dynamic_cast<FltkHost*>(&host);
  return fltk ? fltk->ButtonRects(toolbar) : std::vector<RECT>{};
}
