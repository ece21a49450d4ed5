#include "platform/window/dialog.h"

#include "platform/window/context_menu_edit.h"
#include "platform/window/hot_keys.h"
#include "platform/window/window_backend.h"

#include <charconv>
#include <string>

namespace {

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// A whole decimal number with optional sign and surrounding blanks.
bool ParseInt(const std::u16string& text, int* value) {
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  size_t b = ascii.find_first_not_of(" \t");
  size_t e = ascii.find_last_not_of(" \t");
  if (b == std::string::npos) return false;
  const char* first = ascii.data() + b;
  const char* last = ascii.data() + e + 1;
  if (*first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, *value);
  return error == std::errc() && end == last;
}

void Complain(DataExchange& dx, const std::u16string& text) {
  Dialog& d = dx.GetDialog();
  MessageBoxW(d.GetSafeHwnd(), text.c_str(), d.Caption().c_str(), MB_OK | MB_ICONEXCLAMATION);
  dx.Fail();
}

}  // namespace

Control* DataExchange::Prepare(int id) {
  last_control_ = id;
  return failed_ ? nullptr : dialog_.GetDlgItem(id);
}

void DDX_Text(DataExchange& dx, int id, std::u16string& value) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) value = c->text;
  else c->SetText(value);
}

void DDX_Text(DataExchange& dx, int id, int& value) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (!dx.Saving()) {
    c->SetText(Ascii(std::to_string(value)));
    return;
  }
  int parsed = 0;
  if (!ParseInt(c->text, &parsed)) {
    Complain(dx, u"Enter a whole number.");
    return;
  }
  value = parsed;
}

void DDX_Check(DataExchange& dx, int id, BOOL& value) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) value = c->checked ? TRUE : FALSE;
  else c->SetCheck(value != FALSE);
}

void DDX_Check(DataExchange& dx, int id, bool& value) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) value = c->checked;
  else c->SetCheck(value);
}

void DDX_CBIndex(DataExchange& dx, int id, int& index) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) index = c->selection;
  else c->SetCurSel(index);
}

void DDX_CBString(DataExchange& dx, int id, std::u16string& value) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) {
    value = c->text;
  } else if (c->editable) {
    c->SetText(value);
  } else {
    c->SetCurSel(c->FindString(-1, value));
  }
}

void DDX_LBIndex(DataExchange& dx, int id, int& index) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) index = c->selection;
  else c->SetCurSel(index);
}

void DDX_Slider(DataExchange& dx, int id, int& position) {
  Control* c = dx.Prepare(id);
  if (!c) return;
  if (dx.Saving()) position = c->position;
  else c->SetPos(position);
}

void DDV_MinMaxInt(DataExchange& dx, int value, int low, int high) {
  if (!dx.Saving() || dx.Failed()) return;
  if (value >= low && value <= high) return;
  Complain(dx, u"Enter a number from " + Ascii(std::to_string(low)) + u" to " +
                   Ascii(std::to_string(high)) + u".");
}

Dialog::Dialog(UINT template_id, std::u16string caption)
    : template_id_(template_id), caption_(std::move(caption)) {}

Dialog::~Dialog() {
  if (hwnd_) FinishModal();
}

Control& Dialog::AddControl(int id, ControlKind kind, std::u16string text) {
  Control c;
  c.id = id;
  c.kind = kind;
  c.text = std::move(text);
  if (kind == ControlKind::Slider) c.range_max = 100;
  controls_.push_back(std::move(c));
  return controls_.back();
}

Control* Dialog::GetDlgItem(int id) {
  for (Control& c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

const Control* Dialog::GetDlgItem(int id) const {
  for (const Control& c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

void Dialog::SetDlgItemTextW(int id, const std::u16string& text) {
  if (Control* c = GetDlgItem(id)) c->SetText(text);
}

std::u16string Dialog::GetDlgItemTextW(int id) const {
  const Control* c = GetDlgItem(id);
  return c ? c->text : std::u16string();
}

void Dialog::CheckDlgButton(int id, bool checked) {
  if (Control* c = GetDlgItem(id)) c->SetCheck(checked);
}

bool Dialog::IsDlgButtonChecked(int id) const {
  const Control* c = GetDlgItem(id);
  return c && c->checked;
}

void Dialog::EnableDlgItem(int id, bool enabled) {
  if (Control* c = GetDlgItem(id)) c->Enable(enabled);
}

int Dialog::DoModal() {
  WindowBackend* backend = CurrentWindowBackend();
  return backend ? backend->RunDialog(*this) : -1;
}

void Dialog::EndDialog(int result) {
  ended_ = true;
  result_ = result;
}

bool Dialog::UpdateData(bool save_and_validate) {
  DataExchange dx(*this, save_and_validate);
  DoDataExchange(dx);
  return !dx.Failed();
}

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnCommandMessage(int id, WORD code, std::function<void()> handler) {
  commands_[{id, code}] = std::move(handler);
}

void Dialog::OnNotifyMessage(int id, int code, std::function<void()> handler) {
  notifies_[{id, code}] = std::move(handler);
}

void Dialog::OnWindowMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
  messages_[message] = std::move(handler);
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    auto it = commands_.find({id, code});
    if (it != commands_.end()) {
      it->second();
    } else if (code == BN_CLICKED && id == IDOK) {
      OnOK();
    } else if (code == BN_CLICKED && id == IDCANCEL) {
      OnCancel();
    }
    return 0;
  }
  if (message == WM_NOTIFY && lParam != 0) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    auto it = notifies_.find({static_cast<int>(header->idFrom), header->code});
    if (it != notifies_.end()) it->second();
    return 0;
  }
  auto it = messages_.find(message);
  return it != messages_.end() ? it->second(wParam, lParam) : 0;
}

void Dialog::BeginModal(std::function<void()> wake) {
  ended_ = false;
  result_ = IDCANCEL;
  hwnd_ = CreateWindowHandle(
      [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return WindowProc(message, wParam, lParam);
      },
      std::move(wake));
  SendMessageW(hwnd_, WM_INITDIALOG, 0, 0);
}

void Dialog::FinishModal() {
  if (!hwnd_) return;
  UnregisterHotKeysOf(hwnd_);
  DestroyWindowHandle(hwnd_);
  hwnd_ = nullptr;
}

int PropertySheet::DoModal() {
  WindowBackend* backend = CurrentWindowBackend();
  return backend ? backend->RunPropertySheet(*this) : -1;
}

bool PropertySheet::CheckPages() {
  if (ended_) return true;
  for (PropertyPage* page : pages_) {
    if (page->Initialised() && page->Ended()) {
      ended_ = true;
      result_ = page->Result();
      return true;
    }
  }
  return false;
}

bool PropertySheet::SetActivePage(int index) {
  if (ended_ || index < 0 || index >= static_cast<int>(pages_.size())) return false;
  if (index == active_) return true;
  if (active_ >= 0 && !pages_[active_]->OnKillActive()) return false;
  PropertyPage* page = pages_[index];
  active_ = index;
  if (!page->Initialised()) {
    page->SetInitialised(true);
    page->BeginModal(wake_);
  }
  if (CheckPages()) return true;
  page->OnSetActive();
  CheckPages();
  return true;
}

bool PropertySheet::Ok() {
  if (ended_) return false;
  if (active_ >= 0 && !pages_[active_]->OnKillActive()) return false;
  for (PropertyPage* page : pages_)
    if (page->Initialised()) page->OnOK();
  ended_ = true;
  result_ = IDOK;
  return true;
}

void PropertySheet::Cancel() {
  if (ended_) return;
  for (PropertyPage* page : pages_)
    if (page->Initialised()) page->OnCancel();
  ended_ = true;
  result_ = IDCANCEL;
}

void PropertySheet::BeginModal(std::function<void()> wake) {
  ended_ = false;
  result_ = IDCANCEL;
  active_ = -1;
  wake_ = std::move(wake);
  for (PropertyPage* page : pages_) page->SetInitialised(false);
  if (pages_.empty()) return;
  SetActivePage(0);
}

void PropertySheet::FinishModal() {
  for (PropertyPage* page : pages_) {
    page->FinishModal();
    page->SetInitialised(false);
  }
  active_ = -1;
}

namespace {

void Pump(HWND window) {
  if (window) DispatchPostedMessages(window);
}

}  // namespace

void DialogDriver::Click(int id) {
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (c && !c->enabled) return;
  if (!c && id != IDOK && id != IDCANCEL) return;
  if (c && c->kind == ControlKind::CheckBox) c->SetCheck(!c->checked);
  SendMessageW(dialog_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
  Pump(dialog_.GetSafeHwnd());
}

void DialogDriver::SetCheck(int id, bool on) {
  const Control* c = dialog_.GetDlgItem(id);
  if (c && c->checked != on) Click(id);
}

void DialogDriver::Type(int id, const std::u16string& text) {
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (!c || !c->enabled) return;
  c->SetText(text);
  WORD code = EN_CHANGE;
  if (c->kind == ControlKind::ComboBox) {
    c->selection = -1;
    code = CBN_EDITCHANGE;
  }
  SendMessageW(dialog_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
  Pump(dialog_.GetSafeHwnd());
}

void DialogDriver::Select(int id, int index) {
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (!c || !c->enabled || index < 0 || index >= c->GetCount()) return;
  HWND hwnd = dialog_.GetSafeHwnd();
  if (c->multi_select) {
    c->SetSel(-1, false);
    c->SetSel(index, true);
  }
  c->SetCurSel(index);
  if (c->kind == ControlKind::ListView) {
    NMHDR changed{hwnd, static_cast<UINT_PTR>(id), LVN_ITEMCHANGED};
    SendMessageW(hwnd, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&changed));
    NMHDR click{hwnd, static_cast<UINT_PTR>(id), NM_CLICK};
    if (!dialog_.Ended())
      SendMessageW(hwnd, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&click));
  } else {
    const WORD code = c->kind == ControlKind::ComboBox ? CBN_SELCHANGE : LBN_SELCHANGE;
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
  }
  Pump(hwnd);
}

void DialogDriver::SelectItems(int id, const std::vector<int>& indexes) {
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (!c || !c->enabled) return;
  c->SetSel(-1, false);
  for (int i : indexes) c->SetSel(i, true);
  SendMessageW(dialog_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), LBN_SELCHANGE), 0);
  Pump(dialog_.GetSafeHwnd());
}

void DialogDriver::DoubleClick(int id, int index) {
  Select(id, index);
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (!c || c->selection != index) return;
  HWND hwnd = dialog_.GetSafeHwnd();
  if (c->kind == ControlKind::ListView) {
    NMHDR dbl{hwnd, static_cast<UINT_PTR>(id), NM_DBLCLK};
    SendMessageW(hwnd, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&dbl));
  } else {
    const WORD code = c->kind == ControlKind::ComboBox ? CBN_DBLCLK : LBN_DBLCLK;
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
  }
  Pump(hwnd);
}

void DialogDriver::Slide(int id, int position) {
  if (dialog_.Ended()) return;
  Control* c = dialog_.GetDlgItem(id);
  if (!c || !c->enabled) return;
  c->SetPos(position);
  SendMessageW(dialog_.GetSafeHwnd(), WM_HSCROLL,
               MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(c->position)), id);
  Pump(dialog_.GetSafeHwnd());
}

void DialogDriver::SelectText(int id, int start, int end) {
  if (Control* c = dialog_.GetDlgItem(id); c && c->kind == ControlKind::Edit) c->SetSelection(start, end);
}

void DialogDriver::DragSplitter(int id, int width) {
  if (Control* c = dialog_.GetDlgItem(id); c && !dialog_.Ended()) c->SetSplit(width);
}

const MenuItem* DialogDriver::TapAndHold(int id) {
  const Control* c = dialog_.GetDlgItem(id);
  if (dialog_.Ended() || !c || !c->enabled || !c->context_menu) return nullptr;
  return &CContextMenuEdit::EditMenu();
}

void DialogDriver::ChooseEditCommand(int id, UINT command) {
  Control* c = dialog_.GetDlgItem(id);
  if (dialog_.Ended() || !c || !c->context_menu) return;
  if (!CContextMenuEdit::HandleMessage(*c, CContextMenuEdit::MessageOf(command))) return;
  SendMessageW(dialog_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), EN_CHANGE), 0);
  Pump(dialog_.GetSafeHwnd());
}

void DialogDriver::PressKey(UINT vk, UINT modifiers) {
  if (dialog_.Ended()) return;
  HWND owner = nullptr;
  int id = 0;
  const bool hot = FindHotKey(modifiers, vk, &owner, &id);
  RouteKeyPress(dialog_.GetSafeHwnd(), modifiers, vk);
  if (hot) Pump(owner);
  Pump(dialog_.GetSafeHwnd());
}
