#include "reader/settings_sheet/buttons_page.h"

#include "foundation/code_pages.h"
#include "platform/window/hot_keys.h"
#include "reader/buttons/button_actions.h"
#include "reader/buttons/hot_key_table.h"

namespace {

// The page takes each button from whichever window holds it (the main
// window's own bindings); the main window registers its keys again after
// the sheet.
BOOL TakeButton(HWND page, const ButtonHotKey& button) {
  const int id = static_cast<int>(button.id);
  if (RegisterHotKey(page, id, button.modifiers, button.virtualKey)) return TRUE;
  UnregisterHotKey(page, id);
  if (RegisterHotKey(page, id, button.modifiers, button.virtualKey)) return TRUE;
  HWND owner = nullptr;
  int ownerId = 0;
  if (FindHotKey(button.modifiers, button.virtualKey, &owner, &ownerId))
    UnregisterHotKey(owner, ownerId);
  return RegisterHotKey(page, id, button.modifiers, button.virtualKey);
}

}  // namespace

CButtonsPage::CButtonsPage() : PropertyPage(IDD, u"Кнопки") {
  AddControl(IDC_SCAN, ControlKind::Button, u"Scan");
  AddControl(IDC_ACTION, ControlKind::ComboBox);
  AddControl(-1, ControlKind::Static, u"Нажмите кнопку \"Scan\" и выберите действие.");

  OnCommandMessage(IDC_SCAN, BN_CLICKED, [this] { OnScan(); });
  OnCommandMessage(IDC_ACTION, CBN_SELCHANGE, [this] { OnAction(); });
  OnWindowMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) -> LRESULT {
    OnHotKey(static_cast<int>(id));
    return 0;
  });
}

BOOL CButtonsPage::OnInitDialog() {
  PropertyPage::OnInitDialog();
  Control& combo = *GetDlgItem(IDC_ACTION);
  combo.ResetContent();
  // "None" first: it stands for a button without an action.
  combo.AddString(u"None");
  for (const ButtonAction& action : ButtonActions()) combo.AddString(NarrowToWide(std::string(action.name)));
  combo.SetCurSel(0);
  return TRUE;
}

BOOL CButtonsPage::OnSetActive() {
  // A failed registration leaves that button unscannable; nothing to tell.
  for (UINT id = kFirstButtonId; id <= kLastButtonId; ++id) TakeButton(GetSafeHwnd(), ButtonHotKeys()[id]);
  return TRUE;
}

BOOL CButtonsPage::OnKillActive() {
  ReleaseButtons();
  return PropertyPage::OnKillActive();
}

void CButtonsPage::ReleaseButtons() {
  for (UINT id = kFirstButtonId; id <= kLastButtonId; ++id) UnregisterHotKey(GetSafeHwnd(), static_cast<int>(id));
  scanning_ = false;
  SetDlgItemTextW(IDC_SCAN, u"Scan");
  GetDlgItem(IDC_ACTION)->SetCurSel(0);
  selected_ = -1;
}

void CButtonsPage::OnScan() {
  scanning_ = !scanning_;
  SetDlgItemTextW(IDC_SCAN, scanning_ ? u"Cancel" : u"Scan");
  if (!scanning_) selected_ = -1;
}

void CButtonsPage::OnHotKey(int id) {
  if (!scanning_) return;
  selected_ = id;
  Control& combo = *GetDlgItem(IDC_ACTION);
  int index = 0;
  if (id >= 0 && id < static_cast<int>(actions.size()) && !actions[id].empty()) {
    index = combo.FindString(-1, NarrowToWide(actions[id]));
    if (index < 0) index = 0;
  }
  combo.SetCurSel(index);
}

void CButtonsPage::OnAction() {
  if (!scanning_ || selected_ < static_cast<int>(kFirstButtonId) ||
      selected_ > static_cast<int>(kLastButtonId))
    return;
  const Control& combo = *GetDlgItem(IDC_ACTION);
  const int index = combo.GetCurSel();
  if (index < 0) return;
  actions[selected_] = index == 0 ? std::string() : WideToNarrow(combo.GetItemText(index));
}
