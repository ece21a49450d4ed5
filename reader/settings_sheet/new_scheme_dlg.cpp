#include "reader/settings_sheet/new_scheme_dlg.h"

CNewSchemeDlg::CNewSchemeDlg() : Dialog(IDD, u"Новая цветовая схема") {
  AddControl(-1, ControlKind::Static, u"Имя:");
  AddControl(IDC_NAME, ControlKind::Edit);
  AddControl(IDOK, ControlKind::Button, u"Создать");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
}

void CNewSchemeDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, IDC_NAME, name); }
