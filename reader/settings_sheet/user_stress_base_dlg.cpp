#include "reader/settings_sheet/user_stress_base_dlg.h"

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "foundation/text_file.h"
#include "interfaces/orvox.h"
#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "reader/com_ptr.h"
#include "reader/settings_sheet/ce_property_sheet.h"

CUserStressBaseDlg::CUserStressBaseDlg()
    : PropertyPage(IDD, u"Словарь пользовательских ударений") {
  AddControl(IDC_WORDS, ControlKind::ListBox).multi_select = true;
  AddControl(-1, ControlKind::Static, u"Пример: \"наприме+р\"");
  AddControl(IDC_WORD, ControlKind::Edit);
  AddControl(IDC_ADD, ControlKind::Button, u"Добавить");
  AddControl(IDC_DELETE, ControlKind::Button, u"Удалить");
  OnCommandMessage(IDC_ADD, BN_CLICKED, [this] { OnAdd(); });
  OnCommandMessage(IDC_DELETE, BN_CLICKED, [this] { OnDelete(); });
}

std::u16string UserStressEntryText(const std::string& key, int stress) {
  std::u16string text = NarrowToWide(key);
  if (stress >= 0 && static_cast<size_t>(stress) < text.size())
    text.insert(static_cast<size_t>(stress) + 1, 1, u'+');
  return text;
}

BOOL CUserStressBaseDlg::OnInitDialog() {
  PropertyPage::OnInitDialog();
  changed = false;
  const char16_t* problem = nullptr;
  {
    CWaitCursor wait;
    std::string name;
    ReadRegistryString(name, HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvane\\Glossel Module\\419",
                       "UserStressBase");
    const std::u16string path = NarrowToWide(name);
    if (path.empty() || !FileExists(path.c_str())) {
      problem = u"Path to stress base not found!";
    } else if (!base_.Load(path)) {
      problem = u"Stress base could not be load!";
    } else {
      Control& list = *GetDlgItem(IDC_WORDS);
      list.ResetContent();
      // The stored stresses, not Find on the key: another pattern that sorts
      // earlier and matches inside the key would answer for it.
      for (const auto& [key, stress] : base_.ListStresses())
        list.AddString(UserStressEntryText(key, stress));
    }
  }
  // The box comes with the arrow back.
  if (problem) {
    MessageBoxW(GetSafeHwnd(), problem, nullptr, MB_OK);
    EndDialog(IDCANCEL);
  }
  return TRUE;
}

void CUserStressBaseDlg::OnAdd() {
  const std::u16string text = GetDlgItemTextW(IDC_WORD);
  if (text.empty() || !base_.AddMarked(WideToNarrow(text))) return;
  GetDlgItem(IDC_WORDS)->InsertString(0, text);
  changed = true;
}

void CUserStressBaseDlg::OnDelete() {
  Control& list = *GetDlgItem(IDC_WORDS);
  const std::vector<int> chosen = list.GetSelItems();
  if (chosen.empty()) return;
  list.SetSel(-1, false);
  int removed = 0;
  for (int index : chosen) {
    const int at = index - removed;
    if (!base_.Remove(WideToNarrow(list.GetItemText(at)))) continue;
    list.DeleteString(at);
    ++removed;
    changed = true;
  }
}

void RunUserStressBaseSheet(ITTSEngine* engine) {
  CCePropertySheet sheet(u"Stress base");
  CUserStressBaseDlg page;
  sheet.AddPage(&page);
  sheet.DoModal();
  if (!page.changed || engine == nullptr) return;
  ComPtr<ITTSUserBase> userBase;
  if (FAILED(engine->QueryInterface(IID_ITTSUserBase, reinterpret_cast<void**>(userBase.Receive()))) ||
      !userBase || FAILED(userBase->ReloadUserBase()))
    MessageBoxW(nullptr, u"Can't reload user stress base", nullptr, MB_OK);
}
