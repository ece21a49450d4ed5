// CNewSchemeDlg: the name of a new colour scheme.
#pragma once

#include "platform/window/dialog.h"

class CNewSchemeDlg : public Dialog {
 public:
  static constexpr UINT IDD = 188;
  static constexpr int IDC_NAME = 1032;

  CNewSchemeDlg();

  std::u16string name;

  void DoDataExchange(DataExchange& dx) override;
};
