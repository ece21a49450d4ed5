#include "reader/dialogs/about_dlg.h"

CAboutDlg::CAboutDlg() : Dialog(IDD, u"О программе") {
  AddControl(-1, ControlKind::Static, u"Parlen 2");
  AddControl(-1, ControlKind::Static, u"Morvane");
  AddControl(-1, ControlKind::Static, u"Чтение книг вслух");
  AddControl(IDOK, ControlKind::Button, u"OK");
}
