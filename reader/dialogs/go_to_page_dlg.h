// CGoToPageDlg: a page number from 1 to the last page.
#pragma once

#include "platform/window/dialog.h"

class CGoToPageDlg : public Dialog {
 public:
  static constexpr UINT IDD = 185;
  static constexpr int IDC_PAGE = 1020;

  CGoToPageDlg();

  int page = 0;
  int lastPage = 1000;

  void DoDataExchange(DataExchange& dx) override;
};
