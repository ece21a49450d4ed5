#include "reader/dialogs/user_text_dlg.h"

CUserTextDlg::CUserTextDlg() : Dialog(IDD, u"Текст пользователя") {
  AddControl(-1, ControlKind::Static, u"Введите Ваш текст:");
  AddControl(IDC_TEXT, ControlKind::Edit).multi_line = true;
  AddControl(IDOK, ControlKind::Button, u"Сказать");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
}

void CUserTextDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, IDC_TEXT, text); }
