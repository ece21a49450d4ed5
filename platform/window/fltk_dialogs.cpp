// Dialogs and property sheets as FLTK windows: one widget per control model,
// placed by the shared dialog layout; the widgets report the user's actions
// through a DialogDriver and are refreshed from the models after every event.
#include "platform/window/context_menu_edit.h"
#include "platform/window/dialog_layout.h"
#include "platform/window/dialog_render.h"
#include "platform/window/fltk_inspect.h"
#include "platform/window/fltk_internal.h"
#include "platform/window/shell_icons.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Hor_Slider.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Tabs.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace fltk_backend {

namespace {

constexpr int kTabHeight = 30;
constexpr int kRow = 26;

// The modal windows open, the active one last; the tests look at it too.
struct OpenView {
  Fl_Window* window = nullptr;
  std::vector<class DialogView*> pages;  // one for a dialog
  Fl_Tabs* tabs = nullptr;
  PropertySheet* sheet = nullptr;
  HWND handle = nullptr;  // a dialog's, told when it stops and starts being active
  unsigned serial = 0;    // tells windows apart that share an address
};
std::vector<OpenView>& OpenViews() {
  static std::vector<OpenView> views;
  return views;
}

// To the active dialog, or to the main windows when none is open.
void SendActivation(WORD state) {
  const WPARAM wParam = MAKEWPARAM(state, 0);
  if (OpenViews().empty()) SendToMainWindows(WM_ACTIVATE, wParam, 0);
  else if (OpenViews().back().handle) SendMessageW(OpenViews().back().handle, WM_ACTIVATE, wParam, 0);
}

// A window opening over another deactivates it (it lets go of its keys);
// closing, it activates it again.
void PushView(const OpenView& view) {
  static unsigned opened = 0;
  SendActivation(WA_INACTIVE);
  OpenViews().push_back(view);
  OpenViews().back().serial = ++opened;
  // Showing it took the focus from the main window, which may have left
  // full screen and come back over it.
  RaiseOpenWindows();
}

void PopView() {
  OpenViews().pop_back();
  SendActivation(WA_ACTIVE);
}

std::function<void()>& PendingAction() {
  static std::function<void()> action;
  return action;
}


TextMeasure WidgetMeasure() {
  return [](std::u16string_view text) { return LabelWidth(ToUtf8(std::u16string(text)).c_str()); };
}

// The colour of the face of the dialog the widget stands on.
COLORREF FaceColour(const Fl_Widget& widget) {
  uchar r = 0, g = 0, b = 0;
  Fl::get_color(widget.window() ? widget.window()->color() : FL_BACKGROUND_COLOR, r, g, b);
  return RGB(r, g, b);
}

// A sample static: drawn by the window services in its own font and colours.
class SampleBox : public Fl_Widget {
 public:
  SampleBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
  const Control* model = nullptr;
  void draw() override {
    if (!model || !model->IsSample()) return;
    Bitmap picture;
    if (model->icon && !model->back_colour) {
      // An icon sits on the dialog's own face.
      Control shown = *model;
      shown.back_colour = FaceColour(*this);
      RenderSample(shown, w(), h(), &picture);
    } else {
      RenderSample(*model, w(), h(), &picture);
    }
    DrawScreen(picture, x(), y(), w(), h(), true);
  }
};

// The band a dialog paints across its top, drawn by the window services.
class BandBox : public Fl_Widget {
 public:
  BandBox(int x, int y, int w, int h, const Dialog& dialog) : Fl_Widget(x, y, w, h), dialog_(dialog) {}
  void draw() override {
    Bitmap picture;
    RenderBand(dialog_, w(), &picture);
    DrawScreen(picture, x(), y(), w(), h(), true);
  }

 private:
  const Dialog& dialog_;
};

// The shell icons as pictures with transparent pixels, `indent` transparent
// columns before each; the browsers share them.
Fl_Image* ShellIconImage(int icon, int indent) {
  static std::map<std::pair<int, int>, std::unique_ptr<Fl_RGB_Image>> made;
  const HICON shape = LoadShellIcon(icon);
  if (shape == nullptr) return nullptr;
  std::unique_ptr<Fl_RGB_Image>& image = made[{icon, indent}];
  if (!image) image = MakeIconImage(*shape, indent);
  return image.get();
}

// The bar between two lists side by side. While the pointer drags it (the
// bar holds the pointer from press to release) its two lines follow; let go,
// the lists take their new widths and the dialog learns the left one's.
class SplitterBar : public Fl_Widget {
 public:
  SplitterBar(const SplitterPlace& place, int x0, int y0, Fl_Widget* left, Fl_Widget* right,
              Fl_Widget* right_header, Dialog& dialog)
      : Fl_Widget(place.bar.left + x0, place.bar.top + y0, place.bar.Width(), place.bar.Height()),
        place_(place), left_(left), right_(right), right_header_(right_header), dialog_(dialog) {}

  void draw() override {
    // The lines on the dialog's own face.
    Bitmap picture;
    picture.Create(w(), h());
    picture.Fill(FaceColour(*this));
    DrawSplitter(picture, {0, 0, w(), h()});
    DrawScreen(picture, x(), y(), w(), h(), true);
  }

  int handle(int event) override {
    switch (event) {
      case FL_ENTER:
        window()->cursor(FL_CURSOR_WE);
        return 1;
      case FL_LEAVE:
        if (Fl::pushed() != this) window()->cursor(FL_CURSOR_DEFAULT);
        return 1;
      case FL_PUSH:
        grip_ = Fl::event_x() - x();
        return 1;
      case FL_DRAG: {
        const int split = std::clamp(Fl::event_x() - grip_ - left_->x(), place_.min_split, place_.max_split);
        position(left_->x() + split, y());
        window()->redraw();
        return 1;
      }
      case FL_RELEASE: {
        const int split = x() - left_->x();
        const int right_edge = right_->x() + right_->w();
        left_->size(split, left_->h());
        right_->resize(x() + w(), right_->y(), right_edge - x() - w(), right_->h());
        if (right_header_)
          right_header_->resize(right_->x(), right_header_->y(), right_->w(), right_header_->h());
        DialogDriver(dialog_).DragSplitter(dialog_.Controls()[place_.control].id, split);
        if (!Fl::event_inside(this)) window()->cursor(FL_CURSOR_DEFAULT);
        window()->redraw();
        return 1;
      }
      default:
        return Fl_Widget::handle(event);
    }
  }

 private:
  SplitterPlace place_;
  Fl_Widget* left_;
  Fl_Widget* right_;
  Fl_Widget* right_header_;
  Dialog& dialog_;
  int grip_ = 0;
};

constexpr int kListHeaderHeight = 22;

// An edit field; a CContextMenuEdit's opens the edit menu on a long press
// or a right click. A left press is held back until it is known not to be a
// hold (let go or moved first): given at once, it would place the caret and
// drop the selection the menu is to act on.
class EditField : public Fl_Input {
 public:
  EditField(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}
  ~EditField() override { Fl::remove_timeout(OnHold, this); }
  std::function<void()> open_menu;  // set for context-menu edits

  int handle(int event) override {
    if (!open_menu) return Fl_Input::handle(event);
    switch (event) {
      case FL_PUSH:
        if (Fl::event_button() == FL_RIGHT_MOUSE) {
          take_focus();
          open_menu();
          return 1;
        }
        if (Fl::event_button() != FL_LEFT_MOUSE) break;
        press_ = Press{Fl::e_x, Fl::e_y, Fl::e_x_root, Fl::e_y_root, Fl::e_state, Fl::e_clicks, Fl::e_is_click};
        Fl::add_timeout(CContextMenuEdit::kHoldMilliseconds / 1000.0, OnHold, this);
        return 1;
      case FL_DRAG:
        if (!press_) break;
        if (std::abs(Fl::e_x_root - press_->x_root) + std::abs(Fl::e_y_root - press_->y_root) <= kStill) return 1;
        GivePress();
        break;
      case FL_RELEASE:
        if (press_) GivePress();
        break;
      default:
        break;
    }
    return Fl_Input::handle(event);
  }

 private:
  // How far a hold may wander, as a click may.
  static constexpr int kStill = 3;
  struct Press {
    int x, y, x_root, y_root, state, clicks, is_click;
  };

  // Not a hold: the press gets its standard handling now, as it was.
  void GivePress() {
    Fl::remove_timeout(OnHold, this);
    const Press now{Fl::e_x, Fl::e_y, Fl::e_x_root, Fl::e_y_root, Fl::e_state, Fl::e_clicks, Fl::e_is_click};
    const int now_event = Fl::e_number;
    Set(*press_);
    press_.reset();
    Fl::e_number = FL_PUSH;
    Fl_Input::handle(FL_PUSH);
    Fl::e_number = now_event;
    Set(now);
  }

  static void Set(const Press& p) {
    Fl::e_x = p.x;
    Fl::e_y = p.y;
    Fl::e_x_root = p.x_root;
    Fl::e_y_root = p.y_root;
    Fl::e_state = p.state;
    Fl::e_clicks = p.clicks;
    Fl::e_is_click = p.is_click;
  }

  static void OnHold(void* data) {
    auto* self = static_cast<EditField*>(data);
    if (!self->press_) return;
    if (Fl::pushed() != self) {
      self->press_.reset();
      return;
    }
    Fl::pushed(nullptr);
    // Focus without a press keeps the selection.
    self->take_focus();
    held_at_ = {self->press_->x_root, self->press_->y_root};
    self->press_.reset();
    self->open_menu();
    held_at_.reset();
  }

 public:
  // FLTK takes a press of a second or more for no click, and its menu closes
  // when such a press ends; the release that ends a hold where it began
  // leaves the menu open, as a tap does.
  static void ReleaseEndsHold() {
    if (held_at_ && std::abs(Fl::e_x_root - held_at_->first) + std::abs(Fl::e_y_root - held_at_->second) <= kStill)
      Fl::event_is_click(1);
    held_at_.reset();
  }

 private:
  static inline std::optional<std::pair<int, int>> held_at_;

  std::optional<Press> press_;
};

// The widgets of one dialog, keyed by the control's place in the dialog:
// labels share ids, so ids cannot tell them apart.
class DialogView {
 public:
  explicit DialogView(Dialog& dialog) : dialog_(dialog) {}

  void Build(int x, int y, const DialogLayout& layout);
  void Sync();
  Dialog& GetDialog() { return dialog_; }

  struct Entry {
    DialogView* view;
    int index;  // in dialog.Controls(); -1 for the implicit OK
    Fl_Widget* widget;
    unsigned revision;
  };
  const std::deque<Entry>& Entries() const { return entries_; }

 private:
  static void OnWidget(Fl_Widget* widget, void* data);
  void SyncOne(Entry& entry, const Control& c);
  void OpenEditMenu(Entry& entry);
  // `header` gets a list view's column header, when it has one.
  Fl_Widget* MakeWidget(const Control& c, const RECT& r, Fl_Widget** header);

  Dialog& dialog_;
  std::deque<Entry> entries_;
  std::vector<Fl_Widget*> headers_;  // list views' column headers
};

void SetItems(Fl_Browser* browser, const Control& c) {
  browser->clear();
  for (int i = 0; i < c.GetCount(); ++i) {
    std::u16string_view text = c.items[i];
    const size_t blanks = c.GetItemIcon(i) >= 0 ? LeadingBlanks(text) : 0;
    text.remove_prefix(blanks);
    browser->add(ToUtf8(std::u16string(text)).c_str());
    const int indent = static_cast<int>(blanks) * kIconIndentPerBlank;
    if (Fl_Image* icon = ShellIconImage(c.GetItemIcon(i), indent)) browser->icon(i + 1, icon);
  }
  if (c.multi_select) {
    for (size_t i = 0; i < c.selected.size(); ++i)
      if (c.selected[i]) browser->select(static_cast<int>(i) + 1);
  } else if (c.selection >= 0) {
    browser->select(c.selection + 1);
  }
}

void SetMenuItems(Fl_Menu_* menu, const Control& c) {
  menu->clear();
  for (const std::u16string& item : c.items) {
    // Added one by one as plain labels: '/', '&' and '_' mean nothing here.
    menu->add("x");
    menu->replace(menu->size() - 2, ToUtf8(item).c_str());
  }
}

Fl_Widget* DialogView::MakeWidget(const Control& c, const RECT& r, Fl_Widget** header_out) {
  const int x = r.left, y = r.top, w = r.Width(), h = r.Height();
  switch (c.kind) {
    case ControlKind::Static: {
      if (c.IsSample()) return new SampleBox(x, y, w, h);
      auto* box = new Fl_Box(x, y, w, h);
      box->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
      return box;
    }
    case ControlKind::Button:
      return c.id == IDOK ? new Fl_Return_Button(x, y, w, h) : new Fl_Button(x, y, w, h);
    case ControlKind::CheckBox:
      return new Fl_Check_Button(x, y, w, h);
    case ControlKind::Edit: {
      auto* input = new EditField(x, y, w, h);
      // Long lines wrap: a multi-line field never scrolls sideways.
      if (c.multi_line) input->type(FL_MULTILINE_INPUT_WRAP);
      else if (c.number_only) input->type(FL_INT_INPUT);
      input->when(FL_WHEN_CHANGED);
      return input;
    }
    case ControlKind::ComboBox:
      if (c.editable) return new Fl_Input_Choice(x, y, w, h);
      return new Fl_Choice(x, y, w, h);
    case ControlKind::ListBox:
    case ControlKind::ListView: {
      int top = y;
      if (c.kind == ControlKind::ListView && !c.text.empty()) {
        // The column's header above the items.
        auto* header = new Fl_Box(FL_THIN_UP_BOX, x, y, w, kListHeaderHeight, nullptr);
        header->copy_label(ToUtf8(c.text).c_str());
        header->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        *header_out = header;
        top += kListHeaderHeight;
      }
      const int bh = h - (top - y);
      Fl_Browser* browser = c.multi_select ? static_cast<Fl_Browser*>(new Fl_Multi_Browser(x, top, w, bh))
                                           : new Fl_Hold_Browser(x, top, w, bh);
      // Items are shown as they are. A format character of 0 would match
      // the end of an empty item, and the browser would read past it; no
      // item text holds a 0x01.
      browser->format_char('\x01');
      return browser;
    }
    case ControlKind::Slider: {
      auto* slider = new Fl_Hor_Slider(x, y, w, h);
      slider->step(1);
      return slider;
    }
  }
  return nullptr;
}

void DialogView::Build(int x0, int y0, const DialogLayout& layout) {
  const auto& controls = dialog_.Controls();
  if (dialog_.BandHeight() > 0) new BandBox(x0, y0, layout.width, dialog_.BandHeight(), dialog_);
  std::vector<Fl_Widget*> widgets(controls.size(), nullptr);  // by control index (null for none)
  headers_.assign(controls.size(), nullptr);
  for (size_t i = 0; i < controls.size(); ++i) {
    RECT r = layout.controls[i];
    r.left += x0;
    r.right += x0;
    r.top += y0;
    r.bottom += y0;
    Fl_Widget* w = MakeWidget(controls[i], r, &headers_[i]);
    widgets[i] = w;
    if (!w) continue;
    entries_.push_back({this, static_cast<int>(i), w, ~0u});
    w->callback(OnWidget, &entries_.back());
    if (controls[i].context_menu) {
      Entry* entry = &entries_.back();
      static_cast<EditField*>(w)->open_menu = [this, entry] { OpenEditMenu(*entry); };
    }
  }
  for (const SplitterPlace& place : layout.splitters) {
    const size_t left = static_cast<size_t>(place.control);
    if (left + 1 < widgets.size() && widgets[left] && widgets[left + 1])
      new SplitterBar(place, x0, y0, widgets[left], widgets[left + 1], headers_[left + 1], dialog_);
  }
  if (!layout.implicit_ok.IsEmpty()) {
    const RECT& r = layout.implicit_ok;
    auto* ok = new Fl_Return_Button(r.left + x0, r.top + y0, r.Width(), r.Height(), "OK");
    entries_.push_back({this, -1, ok, ~0u});
    ok->callback(OnWidget, &entries_.back());
  }
}

void DialogView::OpenEditMenu(Entry& e) {
  auto* input = static_cast<Fl_Input*>(e.widget);
  const Control& c = dialog_.Controls()[e.index];
  DialogDriver driver(dialog_);
  // The model learns the widget's selection before the command acts on it.
  const std::u16string before = FromUtf8(std::string(input->value(), input->position()).c_str());
  const std::u16string upto = FromUtf8(std::string(input->value(), input->mark()).c_str());
  driver.SelectText(c.id, static_cast<int>(before.size()), static_cast<int>(upto.size()));
  const MenuItem* menu = driver.TapAndHold(c.id);
  if (!menu) return;
  std::vector<std::string> labels;
  std::vector<Fl_Menu_Item> items;
  for (const MenuItem& m : menu->items) labels.push_back(ToUtf8(m.text));
  for (size_t i = 0; i < labels.size(); ++i) {
    Fl_Menu_Item item{};
    item.text = labels[i].c_str();
    item.user_data_ = reinterpret_cast<void*>(static_cast<uintptr_t>(menu->items[i].id));
    items.push_back(item);
  }
  items.push_back(Fl_Menu_Item{});
  const Fl_Menu_Item* chosen = items.data()->popup(Fl::event_x(), Fl::event_y());
  if (chosen) {
    driver.ChooseEditCommand(c.id, static_cast<UINT>(reinterpret_cast<uintptr_t>(chosen->user_data_)));
    const Control& after = dialog_.Controls()[e.index];
    input->value(ToUtf8(after.text).c_str());
    const int caret = static_cast<int>(ToUtf8(after.text.substr(0, after.sel_end)).size());
    input->position(caret, caret);
  }
  // Where the keyboard goes to the window under the pointer (no window
  // manager), the end of the menu's grab takes the focus from the dialog
  // once that event is handled: it is handled now, and the keys go back to
  // the field.
  TakeDisplayEvents();
  input->take_focus();
  PumpAll();
  Sync();
}

void DialogView::OnWidget(Fl_Widget* widget, void* data) {
  Entry& e = *static_cast<Entry*>(data);
  Dialog& dialog = e.view->dialog_;
  DialogDriver driver(dialog);
  if (e.index < 0) {
    driver.Click(IDOK);  // the implicit OK
    PumpAll();
    e.view->Sync();
    return;
  }
  const Control& c = dialog.Controls()[e.index];
  switch (c.kind) {
    case ControlKind::Static:
      break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
      driver.Click(c.id);
      break;
    case ControlKind::Edit:
      driver.Type(c.id, FromUtf8(static_cast<Fl_Input*>(widget)->value()));
      break;
    case ControlKind::ComboBox:
      if (c.editable) {
        auto* choice = static_cast<Fl_Input_Choice*>(widget);
        const std::u16string text = FromUtf8(choice->value());
        const int picked = choice->menubutton()->value();
        if (picked >= 0 && picked < c.GetCount() && c.items[picked] == text &&
            choice->menubutton()->changed())
          driver.Select(c.id, picked);
        else
          driver.Type(c.id, text);
        choice->menubutton()->clear_changed();
      } else {
        driver.Select(c.id, static_cast<Fl_Choice*>(widget)->value());
      }
      break;
    case ControlKind::ListBox:
    case ControlKind::ListView: {
      auto* browser = static_cast<Fl_Browser*>(widget);
      if (c.multi_select) {
        std::vector<int> chosen;
        for (int i = 1; i <= browser->size(); ++i)
          if (browser->selected(i)) chosen.push_back(i - 1);
        driver.SelectItems(c.id, chosen);
      } else if (browser->value() > 0) {
        if (Fl::event_clicks()) driver.DoubleClick(c.id, browser->value() - 1);
        else driver.Select(c.id, browser->value() - 1);
      }
      break;
    }
    case ControlKind::Slider:
      driver.Slide(c.id, static_cast<int>(static_cast<Fl_Slider*>(widget)->value()));
      break;
  }
  PumpAll();
  e.view->Sync();
}

void DialogView::SyncOne(Entry& e, const Control& c) {
  Fl_Widget* w = e.widget;
  w->labelfont(c.bold ? FL_HELVETICA_BOLD : FL_HELVETICA);
  if (c.enabled) w->activate();
  else w->deactivate();
  if (c.visible) w->show();
  else w->hide();
  switch (c.kind) {
    case ControlKind::Static:
      // Whether it is a sample was settled when the widget was made.
      if (SampleBox* sample = dynamic_cast<SampleBox*>(w)) sample->model = &c;
      else w->copy_label(ToUtf8(c.text).c_str());
      break;
    case ControlKind::Button:
      w->copy_label(ToUtf8(c.text).c_str());
      break;
    case ControlKind::CheckBox:
      w->copy_label(ToUtf8(c.text).c_str());
      static_cast<Fl_Check_Button*>(w)->value(c.checked ? 1 : 0);
      break;
    case ControlKind::Edit: {
      auto* input = static_cast<Fl_Input*>(w);
      const std::string text = ToUtf8(c.text);
      if (text != input->value()) {
        input->value(text.c_str());
        // A new text is shown from its beginning.
        input->position(0);
      }
      break;
    }
    case ControlKind::ComboBox:
      if (c.editable) {
        auto* choice = static_cast<Fl_Input_Choice*>(w);
        SetMenuItems(choice->menubutton(), c);
        const std::string text = ToUtf8(c.text);
        if (text != choice->value()) choice->value(text.c_str());
      } else {
        auto* choice = static_cast<Fl_Choice*>(w);
        SetMenuItems(choice, c);
        choice->value(c.selection);
      }
      break;
    case ControlKind::ListBox:
    case ControlKind::ListView:
      SetItems(static_cast<Fl_Browser*>(w), c);
      if (Fl_Widget* header = headers_[e.index]) {
        header->copy_label(ToUtf8(c.text).c_str());
        if (c.visible) header->show();
        else header->hide();
      }
      break;
    case ControlKind::Slider: {
      auto* slider = static_cast<Fl_Slider*>(w);
      slider->bounds(c.range_min, c.range_max);
      slider->value(c.position);
      break;
    }
  }
  w->redraw();
}

void DialogView::Sync() {
  const auto& controls = dialog_.Controls();
  for (Entry& e : entries_) {
    if (e.index < 0 || e.index >= static_cast<int>(controls.size())) continue;
    const Control& c = controls[e.index];
    if (c.revision == e.revision) continue;
    e.revision = c.revision;
    SyncOne(e, c);
  }
}

SIZE ScreenWorkSize() {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  return {w, h};
}

// Centred on the screen's work area.
void Place(Fl_Window& window) {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  window.position(x + std::max(0, (w - window.w()) / 2), y + std::max(0, (h - window.h()) / 2));
}

}  // namespace

void RunPendingAction(Fl_Window& window) {
  if (!PendingAction() || !window.shown()) return;
  std::function<void()> action = std::move(PendingAction());
  PendingAction() = nullptr;
  // The action sees the window as the user does: mapped and drawn.
  window.wait_for_expose();
  window.redraw();
  Fl::flush();
  action();
}

void RaiseOpenWindows() {
  for (OpenView& open : OpenViews())
    if (open.window->shown()) open.window->show();
}

void PushOpenWindow(Fl_Window* window) { PushView({window, {}, nullptr, nullptr, nullptr}); }
void PopOpenWindow() { PopView(); }

void ReleaseEndsHold() { EditField::ReleaseEndsHold(); }

int RunFltkDialog(Dialog& dialog) {
  dialog.BeginModal(WakeLoop);
  HWND hwnd = dialog.GetSafeHwnd();
  AddPumpedWindow(hwnd);
  if (!dialog.Ended()) {
    const SIZE limit = DialogSizeLimit(ScreenWorkSize());
    const DialogLayout layout = LayoutDialog(dialog, limit.cx, limit.cy, true, WidgetMeasure());
    DialogView view(dialog);
    auto window = std::make_unique<Fl_Double_Window>(layout.width, layout.height);
    window->begin();
    view.Build(0, 0, layout);
    window->end();
    window->copy_label(ToUtf8(dialog.Caption()).c_str());
    // The close box and Escape.
    window->callback([](Fl_Widget*, void* data) { DialogDriver(*static_cast<Dialog*>(data)).Cancel(); },
                     &dialog);
    view.Sync();
    Place(*window);
    window->set_modal();
    window->show();
    PushView({window.get(), {&view}, nullptr, nullptr, hwnd});
    while (!dialog.Ended() && window->shown()) {
      Fl::wait(0.5);
      PumpAll();
      view.Sync();
      RunPendingAction(*window);
    }
    PopView();
    window->hide();
    Fl::flush();
  }
  RemovePumpedWindow(hwnd);
  dialog.FinishModal();
  return dialog.Result();
}

int RunFltkSheet(PropertySheet& sheet) {
  sheet.BeginModal(WakeLoop);
  if (!sheet.CheckPages()) {
    const auto& pages = sheet.Pages();
    const SIZE limit = DialogSizeLimit(ScreenWorkSize());
    const int width = limit.cx;
    const int page_limit = limit.cy - kTabHeight - kRow - 2 * kDialogMargin;
    // Every page is laid out first, so each group is made at its final size
    // and no widget is ever rescaled.
    std::vector<DialogLayout> layouts;
    int tallest = 0;
    for (PropertyPage* page : pages) {
      layouts.push_back(LayoutDialog(*page, width, page_limit, false, WidgetMeasure()));
      tallest = std::max(tallest, layouts.back().height);
    }
    const int buttons_y = kTabHeight + tallest + kDialogMargin;
    auto window = std::make_unique<Fl_Double_Window>(width, buttons_y + kRow + kDialogMargin);
    std::vector<std::unique_ptr<DialogView>> views;
    std::vector<Fl_Group*> groups;
    window->begin();
    auto* tabs = new Fl_Tabs(0, 0, width, kTabHeight + tallest);
    for (size_t i = 0; i < pages.size(); ++i) {
      auto* group = new Fl_Group(0, kTabHeight, width, tallest);
      group->copy_label(ToUtf8(pages[i]->Caption()).c_str());
      views.push_back(std::make_unique<DialogView>(*pages[i]));
      views.back()->Build(0, kTabHeight, layouts[i]);
      group->end();
      if (i > 0) group->hide();
      groups.push_back(group);
    }
    tabs->end();
    auto* ok = new Fl_Return_Button(width - 2 * (100 + kDialogMargin), buttons_y, 100, kRow, "OK");
    auto* cancel = new Fl_Button(width - (100 + kDialogMargin), buttons_y, 100, kRow, "Cancel");
    window->end();
    window->copy_label(ToUtf8(sheet.Caption()).c_str());
    ok->callback([](Fl_Widget*, void* data) { static_cast<PropertySheet*>(data)->Ok(); }, &sheet);
    cancel->callback([](Fl_Widget*, void* data) { static_cast<PropertySheet*>(data)->Cancel(); }, &sheet);
    window->callback([](Fl_Widget*, void* data) { static_cast<PropertySheet*>(data)->Cancel(); }, &sheet);
    struct TabState {
      PropertySheet* sheet;
      std::vector<Fl_Group*>* groups;
    } tab_state{&sheet, &groups};
    tabs->callback(
        [](Fl_Widget* widget, void* data) {
          auto* state = static_cast<TabState*>(data);
          auto* tabs = static_cast<Fl_Tabs*>(widget);
          const auto& groups = *state->groups;
          const int chosen = static_cast<int>(std::find(groups.begin(), groups.end(), tabs->value()) - groups.begin());
          if (!state->sheet->SetActivePage(chosen))
            tabs->value(groups[state->sheet->ActiveIndex()]);
        },
        &tab_state);
    for (auto& v : views) v->Sync();
    Place(*window);
    window->set_modal();
    window->show();
    OpenView open{window.get(), {}, tabs, &sheet};
    for (auto& v : views) open.pages.push_back(v.get());
    PushView(open);
    while (!sheet.CheckPages() && window->shown()) {
      Fl::wait(0.5);
      PumpAll();
      for (PropertyPage* page : pages)
        if (page->GetSafeHwnd()) DispatchPostedMessages(page->GetSafeHwnd());
      for (auto& v : views) v->Sync();
      RunPendingAction(*window);
    }
    PopView();
    window->hide();
    Fl::flush();
  }
  sheet.FinishModal();
  return sheet.Result();
}

namespace {

void Collect(const DialogView& view, std::vector<ShownControl>* out) {
  const auto& controls = const_cast<DialogView&>(view).GetDialog().Controls();
  for (const DialogView::Entry& e : view.Entries()) {
    ShownControl s;
    s.index = e.index;
    s.control = e.index >= 0 ? &controls[e.index] : nullptr;
    s.rect = {e.widget->x(), e.widget->y(), e.widget->x() + e.widget->w(), e.widget->y() + e.widget->h()};
    s.visible = e.widget->visible_r();
    s.label = e.widget->label() ? FromUtf8(e.widget->label()) : std::u16string();
    if (s.control && s.control->kind == ControlKind::Edit)
      s.label = FromUtf8(static_cast<Fl_Input*>(e.widget)->value());
    out->push_back(s);
  }
}

}  // namespace

bool DescribeOpenDialog(ShownDialog* out) {
  if (OpenViews().empty()) return false;
  OpenView& open = OpenViews().back();
  Fl::flush();
  *out = ShownDialog{};
  out->caption = FromUtf8(open.window->label());
  out->window = {open.window->x(), open.window->y(), open.window->x() + open.window->w(),
                 open.window->y() + open.window->h()};
  if (open.sheet) {
    out->page = open.sheet->ActiveIndex();
    out->pages = static_cast<int>(open.pages.size());
    Collect(*open.pages.at(out->page), &out->controls);
  } else if (!open.pages.empty()) {
    Collect(*open.pages.front(), &out->controls);
  } else {
    // A message box: its buttons.
    for (int i = 0; i < open.window->children(); ++i) {
      const Fl_Widget* child = open.window->child(i);
      if (!dynamic_cast<const Fl_Button*>(child)) continue;
      ShownControl s;
      s.rect = {child->x(), child->y(), child->x() + child->w(), child->y() + child->h()};
      s.visible = child->visible_r();
      s.label = FromUtf8(child->label());
      out->controls.push_back(s);
    }
  }
  return true;
}

void WhenDialogOpens(std::function<void()> action) { PendingAction() = std::move(action); }

bool RunLoopUntil(const std::function<bool()>& done, double seconds) {
  for (int i = 0; i < seconds * 20 && !done(); ++i) {
    Fl::wait(0.05);
    // As the dialogs' own loops do.
    PumpAll();
    for (OpenView& open : OpenViews())
      for (DialogView* view : open.pages) view->Sync();
  }
  return done();
}

void CloseOpenWindowAfter(double seconds) {
  if (OpenViews().empty()) return;
  const uintptr_t serial = OpenViews().back().serial;
  Fl::add_timeout(seconds, [](void* data) {
    for (const OpenView& open : OpenViews())
      if (open.serial == reinterpret_cast<uintptr_t>(data)) open.window->hide();
  }, reinterpret_cast<void*>(serial));
}

bool CaptureOpenDialog(Bitmap* pixels) {
  if (OpenViews().empty()) return false;
  Fl_Window* window = OpenViews().back().window;
  window->wait_for_expose();
  window->redraw();
  Fl::flush();
  // The first window of a display may show a moment after its expose:
  // read until two readings agree.
  Bitmap previous;
  for (int attempt = 0; attempt < 20; ++attempt) {
    window->make_current();
    if (!ReadScreen(0, 0, window->w(), window->h(), pixels)) return false;
    if (attempt > 0 && pixels->Width() == previous.Width() && pixels->Height() == previous.Height() &&
        std::equal(pixels->Bits(), pixels->Bits() + pixels->Stride() * pixels->Height(), previous.Bits()) &&
        pixels->GetPixel(1, 1) != 0)
      return true;
    previous = *pixels;
    Fl::wait(0.1);
    window->redraw();
    Fl::flush();
  }
  return true;
}

bool SelectOpenSheetPage(int index) {
  if (OpenViews().empty() || !OpenViews().back().sheet) return false;
  OpenView& open = OpenViews().back();
  if (index < 0 || index >= static_cast<int>(open.pages.size())) return false;
  Fl_Widget* group = open.tabs->child(index);
  open.tabs->value(group);
  open.tabs->do_callback();
  for (DialogView* v : open.pages) v->Sync();
  Fl::flush();
  return open.sheet->ActiveIndex() == index;
}

bool PressKeyInOpenDialog(UINT vk) {
  if (OpenViews().empty() || (vk != VK_RETURN && vk != VK_ESCAPE)) return false;
  const int fltk_key = vk == VK_RETURN ? FL_Enter : FL_Escape;
  Fl_Window* window = OpenViews().back().window;
  Fl::e_keysym = fltk_key;
  static char text[2] = {0, 0};
  text[0] = fltk_key == FL_Enter ? '\r' : fltk_key == FL_Escape ? '\033' : 0;
  Fl::e_text = text;
  Fl::e_length = text[0] ? 1 : 0;
  Fl::e_state = 0;
  return Fl::handle(FL_KEYBOARD, window) != 0;
}

bool DragInOpenDialog(POINT from, POINT to) {
  if (OpenViews().empty()) return false;
  Fl_Window* window = OpenViews().back().window;
  const auto send = [window](int event, POINT at) {
    Fl::e_x = at.x;
    Fl::e_y = at.y;
    Fl::e_x_root = window->x() + at.x;
    Fl::e_y_root = window->y() + at.y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = event == FL_RELEASE ? 0 : FL_BUTTON1;
    return Fl::handle(event, window) != 0;
  };
  const bool pressed = send(FL_PUSH, from);
  send(FL_DRAG, {(from.x + to.x) / 2, (from.y + to.y) / 2});
  send(FL_DRAG, to);
  send(FL_RELEASE, to);
  for (DialogView* v : OpenViews().back().pages) v->Sync();
  Fl::flush();
  return pressed;
}

}  // namespace fltk_backend
