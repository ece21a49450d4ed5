#include "reader/dialogs/about_dlg.h"

#include "reader/dialogs/program_icon.h"

// The publisher and the maker are the names the installation writes its
// keys under; neither has published contact details.
CAboutDlg::CAboutDlg() : Dialog(IDD, u"О программе") {
  AddControl(-1, ControlKind::Static).icon = LoadReaderIcon(IDI_PROGRAM);
  AddControl(-1, ControlKind::Static, u"Parlen 2 — чтение книг вслух");
  AddControl(-1, ControlKind::Static, u"Издатель: Morvane");
  AddControl(-1, ControlKind::Static, u"Разработчик: Morvane");
  AddControl(IDOK, ControlKind::Button, u"OK");
}
