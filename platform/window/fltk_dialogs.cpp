// Dialogs and property sheets as FLTK windows: one widget per control model,
// laid out top to bottom in declaration order; the widgets report the user's
// actions through a DialogDriver and are refreshed from the models after
// every event.
#include "platform/window/fltk_internal.h"

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
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Tabs.H>

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace fltk_backend {

namespace {

constexpr int kWidth = 440;
constexpr int kMargin = 10;
constexpr int kRow = 28;

struct Binding;

// The widgets of one dialog.
class DialogView {
 public:
  explicit DialogView(Dialog& dialog) : dialog_(dialog) {}

  // Builds the widgets at the top of the current group; returns the height used.
  int Build(int x, int y, int width, bool with_ok);
  void Sync();

  Dialog& GetDialog() { return dialog_; }

 private:
  struct Entry {
    DialogView* view;
    int id;
    Fl_Widget* widget;
    unsigned revision;
  };
  static void OnWidget(Fl_Widget* widget, void* data);
  void SyncOne(Entry& entry, const Control& c);

  Dialog& dialog_;
  std::deque<Entry> entries_;
};

void SetItems(Fl_Browser* browser, const Control& c) {
  browser->clear();
  for (const std::u16string& item : c.items) browser->add(ToUtf8(item).c_str());
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

int DialogView::Build(int x, int y, int width, bool with_ok) {
  const int start = y;
  std::vector<const Control*> row_buttons;
  auto flush_buttons = [&] {
    if (row_buttons.empty()) return;
    const int w = std::min(130, (width - 6 * static_cast<int>(row_buttons.size() - 1)) /
                                    static_cast<int>(row_buttons.size()));
    int bx = x;
    for (const Control* c : row_buttons) {
      auto* b = c->id == IDOK ? new Fl_Return_Button(bx, y, w, kRow) : new Fl_Button(bx, y, w, kRow);
      b->copy_label(ToUtf8(c->text).c_str());
      entries_.push_back({this, c->id, b, ~0u});
      b->callback(OnWidget, &entries_.back());
      bx += w + 6;
    }
    y += kRow + 6;
    row_buttons.clear();
  };
  bool has_ok = false;
  std::vector<const Control*> closing;
  for (const Control& c : dialog_.Controls()) {
    if (c.kind == ControlKind::Button) {
      if (c.id == IDOK || c.id == IDCANCEL) {
        has_ok |= c.id == IDOK;
        closing.push_back(&c);
      } else {
        row_buttons.push_back(&c);
      }
      continue;
    }
    flush_buttons();
    Fl_Widget* w = nullptr;
    int h = kRow;
    switch (c.kind) {
      case ControlKind::Static: {
        const int lines = 1 + static_cast<int>(std::count(c.text.begin(), c.text.end(), u'\n'));
        h = std::max(22, lines * 18 + 4);
        auto* box = new Fl_Box(x, y, width, h);
        box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
        w = box;
        break;
      }
      case ControlKind::CheckBox:
        w = new Fl_Check_Button(x, y, width, kRow);
        break;
      case ControlKind::Edit: {
        Fl_Input* input;
        if (c.multi_line) {
          h = 100;
          input = new Fl_Multiline_Input(x, y, width, h);
        } else if (c.number_only) {
          input = new Fl_Int_Input(x, y, width, kRow);
        } else {
          input = new Fl_Input(x, y, width, kRow);
        }
        input->when(FL_WHEN_CHANGED);
        w = input;
        break;
      }
      case ControlKind::ComboBox:
        if (c.editable) w = new Fl_Input_Choice(x, y, width, kRow);
        else w = new Fl_Choice(x, y, width, kRow);
        break;
      case ControlKind::ListBox:
      case ControlKind::ListView: {
        h = 160;
        Fl_Browser* browser = c.multi_select ? static_cast<Fl_Browser*>(new Fl_Multi_Browser(x, y, width, h))
                                             : new Fl_Hold_Browser(x, y, width, h);
        browser->format_char(0);
        w = browser;
        break;
      }
      case ControlKind::Slider: {
        auto* slider = new Fl_Hor_Slider(x, y, width, 22);
        slider->step(1);
        h = 22;
        w = slider;
        break;
      }
      case ControlKind::Button:
        break;
    }
    if (w) {
      entries_.push_back({this, c.id, w, ~0u});
      w->callback(OnWidget, &entries_.back());
    }
    y += h + 6;
  }
  flush_buttons();
  if (with_ok && !has_ok) {
    static Control implicit_ok = [] {
      Control c;
      c.id = IDOK;
      c.kind = ControlKind::Button;
      c.text = u"OK";
      return c;
    }();
    closing.insert(closing.begin(), &implicit_ok);
  }
  row_buttons = closing;
  flush_buttons();
  return y - start;
}

void DialogView::OnWidget(Fl_Widget* widget, void* data) {
  Entry& e = *static_cast<Entry*>(data);
  Dialog& dialog = e.view->dialog_;
  DialogDriver driver(dialog);
  const Control* c = dialog.GetDlgItem(e.id);
  if (!c) {
    driver.Click(e.id);  // the implicit OK
  } else {
    switch (c->kind) {
      case ControlKind::Static:
        break;
      case ControlKind::Button:
      case ControlKind::CheckBox:
        driver.Click(e.id);
        break;
      case ControlKind::Edit:
        driver.Type(e.id, FromUtf8(static_cast<Fl_Input*>(widget)->value()));
        break;
      case ControlKind::ComboBox:
        if (c->editable) {
          auto* choice = static_cast<Fl_Input_Choice*>(widget);
          const std::u16string text = FromUtf8(choice->value());
          const int picked = choice->menubutton()->value();
          if (picked >= 0 && picked < c->GetCount() && c->items[picked] == text &&
              choice->menubutton()->changed())
            driver.Select(e.id, picked);
          else
            driver.Type(e.id, text);
          choice->menubutton()->clear_changed();
        } else {
          driver.Select(e.id, static_cast<Fl_Choice*>(widget)->value());
        }
        break;
      case ControlKind::ListBox:
      case ControlKind::ListView: {
        auto* browser = static_cast<Fl_Browser*>(widget);
        if (c->multi_select) {
          std::vector<int> chosen;
          for (int i = 1; i <= browser->size(); ++i)
            if (browser->selected(i)) chosen.push_back(i - 1);
          driver.SelectItems(e.id, chosen);
        } else if (browser->value() > 0) {
          if (Fl::event_clicks()) driver.DoubleClick(e.id, browser->value() - 1);
          else driver.Select(e.id, browser->value() - 1);
        }
        break;
      }
      case ControlKind::Slider:
        driver.Slide(e.id, static_cast<int>(static_cast<Fl_Slider*>(widget)->value()));
        break;
    }
  }
  PumpAll();
  e.view->Sync();
}

void DialogView::SyncOne(Entry& e, const Control& c) {
  Fl_Widget* w = e.widget;
  if (c.enabled) w->activate();
  else w->deactivate();
  if (c.visible) w->show();
  else w->hide();
  switch (c.kind) {
    case ControlKind::Static:
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
      if (text != input->value()) input->value(text.c_str());
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
  for (Entry& e : entries_) {
    const Control* c = dialog_.GetDlgItem(e.id);
    if (!c || c->revision == e.revision) continue;
    e.revision = c->revision;
    SyncOne(e, *c);
  }
}

}  // namespace

int RunFltkDialog(Dialog& dialog) {
  dialog.BeginModal(WakeLoop);
  HWND hwnd = dialog.GetSafeHwnd();
  AddPumpedWindow(hwnd);
  if (!dialog.Ended()) {
    DialogView view(dialog);
    auto window = std::make_unique<Fl_Double_Window>(kWidth, 100);
    window->begin();
    const int height = view.Build(kMargin, kMargin, kWidth - 2 * kMargin, true);
    window->end();
    window->size(kWidth, height + kMargin);
    window->copy_label(ToUtf8(dialog.Caption()).c_str());
    window->callback([](Fl_Widget*, void* data) { DialogDriver(*static_cast<Dialog*>(data)).Cancel(); },
                     &dialog);
    view.Sync();
    window->set_modal();
    window->show();
    while (!dialog.Ended() && window->shown()) {
      Fl::wait(0.5);
      PumpAll();
      view.Sync();
    }
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
    std::vector<std::unique_ptr<DialogView>> views;
    auto window = std::make_unique<Fl_Double_Window>(kWidth, 100);
    window->begin();
    auto* tabs = new Fl_Tabs(0, 0, kWidth, 100);
    int tallest = 0;
    std::vector<Fl_Group*> groups;
    for (PropertyPage* page : pages) {
      auto* group = new Fl_Group(0, 30, kWidth, 70);
      group->copy_label(ToUtf8(page->Caption()).c_str());
      views.push_back(std::make_unique<DialogView>(*page));
      tallest = std::max(tallest, views.back()->Build(kMargin, 30 + kMargin, kWidth - 2 * kMargin, false));
      group->end();
      groups.push_back(group);
    }
    tabs->end();
    tabs->resize(0, 0, kWidth, 30 + tallest + 2 * kMargin);
    for (Fl_Group* g : groups) g->resize(0, 30, kWidth, tallest + 2 * kMargin);
    const int buttons_y = 30 + tallest + 3 * kMargin;
    auto* ok = new Fl_Return_Button(kWidth - 2 * (100 + kMargin), buttons_y, 100, kRow, "OK");
    auto* cancel = new Fl_Button(kWidth - (100 + kMargin), buttons_y, 100, kRow, "Cancel");
    window->end();
    window->size(kWidth, buttons_y + kRow + kMargin);
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
    window->set_modal();
    window->show();
    while (!sheet.CheckPages() && window->shown()) {
      Fl::wait(0.5);
      PumpAll();
      for (PropertyPage* page : pages)
        if (page->GetSafeHwnd()) DispatchPostedMessages(page->GetSafeHwnd());
      for (auto& v : views) v->Sync();
    }
    window->hide();
    Fl::flush();
  }
  sheet.FinishModal();
  return sheet.Result();
}

}  // namespace fltk_backend
