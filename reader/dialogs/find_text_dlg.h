// CFindTextDlg: the search text and its two options.
#pragma once

#include "platform/window/dialog.h"

class CFindTextDlg : public Dialog {
 public:
  static constexpr UINT IDD = 181;
  static constexpr int IDC_MATCH_CASE = 1011;
  static constexpr int IDC_BACKWARD = 1012;
  static constexpr int IDC_TEXT = 1013;

  CFindTextDlg();

  std::u16string text;
  bool backward = false;
  bool matchCase = false;

  void DoDataExchange(DataExchange& dx) override;
};
