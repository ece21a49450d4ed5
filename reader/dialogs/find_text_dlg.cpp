#include "reader/dialogs/find_text_dlg.h"

#include "platform/window/context_menu_edit.h"

CFindTextDlg::CFindTextDlg() : Dialog(IDD, u"Поиск текста") {
  AddControl(-1, ControlKind::Static, u"Введите текст:");
  AddControl(IDC_TEXT, ControlKind::Edit);
  CContextMenuEdit::Attach(*this, IDC_TEXT);
  AddControl(IDC_MATCH_CASE, ControlKind::CheckBox, u"&Учёт регистра");
  AddControl(IDC_BACKWARD, ControlKind::CheckBox, u"&Обратный поиск");
  AddControl(IDOK, ControlKind::Button, u"Найти");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
  // The input panel coming and going must not move or close the dialog.
  OnWindowMessage(WM_SETTINGCHANGE, [](WPARAM, LPARAM) -> LRESULT { return 0; });
}

void CFindTextDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, IDC_TEXT, text);
  DDX_Check(dx, IDC_MATCH_CASE, matchCase);
  DDX_Check(dx, IDC_BACKWARD, backward);
}
