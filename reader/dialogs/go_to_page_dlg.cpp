#include "reader/dialogs/go_to_page_dlg.h"

CGoToPageDlg::CGoToPageDlg() : Dialog(IDD, u"Перейти к странице") {
  AddControl(-1, ControlKind::Static, u"Номер страницы:");
  AddControl(IDC_PAGE, ControlKind::Edit).number_only = true;
  AddControl(IDOK, ControlKind::Button, u"Перейти");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
}

void CGoToPageDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, IDC_PAGE, page);
  DDV_MinMaxInt(dx, page, 1, lastPage);
}
