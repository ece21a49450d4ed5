// CUserTextDlg: a text of the user's own to be spoken.
#pragma once

#include "platform/window/dialog.h"

class CUserTextDlg : public Dialog {
 public:
  static constexpr UINT IDD = 191;
  static constexpr int IDC_TEXT = 1050;

  CUserTextDlg();

  std::u16string text;

  void DoDataExchange(DataExchange& dx) override;
};
