// CAboutDlg: the program's icon and who made it.
#pragma once

#include "platform/window/dialog.h"

class CAboutDlg : public Dialog {
 public:
  static constexpr UINT IDD = 184;

  CAboutDlg();
};
