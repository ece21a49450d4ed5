// CMiscPage: the text-view and info-pane parameters, one parameter and its
// choices at a time.
#pragma once

#include "platform/window/dialog.h"
#include "reader/settings_sheet/misc_params.h"

class CMiscPage : public PropertyPage {
 public:
  static constexpr UINT IDD = 180;
  static constexpr int IDC_PARAMETERS = 1012;
  static constexpr int IDC_VALUES = 1013;

  CMiscPage();

  // Parameter name to value: filled before the run, read back after OK.
  MiscParams params;

  BOOL OnInitDialog() override;

 private:
  void OnParameter();
  void OnValue();
};
