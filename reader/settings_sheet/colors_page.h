// CColorsPage: text and background colours set with three sliders, and the
// named colour schemes they belong to.
#pragma once

#include <string>
#include <vector>

#include "platform/window/dialog.h"
#include "reader/settings_sheet/color_schemes.h"

class CColorsPage : public PropertyPage {
 public:
  static constexpr UINT IDD = 151;
  static constexpr int IDC_RED = 1002;
  static constexpr int IDC_GREEN = 1003;
  static constexpr int IDC_BLUE = 1004;
  static constexpr int IDC_BLUE_VALUE = 1005;
  static constexpr int IDC_RED_VALUE = 1006;
  static constexpr int IDC_GREEN_VALUE = 1007;
  static constexpr int IDC_TARGET = 1008;
  static constexpr int IDC_SAMPLE = 1009;
  static constexpr int IDC_SCHEME = 1030;
  // Scheme combo: "New...", "Delete...", then the schemes.
  static constexpr int kNewIndex = 0;
  static constexpr int kDeleteIndex = 1;
  static constexpr int kFirstSchemeIndex = 2;

  CColorsPage();

  // Filled before the run, read back after OK.
  COLORREF textColor = 0x000000;
  COLORREF backColor = 0xFFFFFF;
  std::string presetName;  // the `ColorPreset` setting
  std::string presets;     // the `ColorPresets` setting

  const std::vector<ColorScheme>& Schemes() const { return schemes_; }
  int CurrentScheme() const { return current_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  bool TargetIsBackground() const;
  void SetSlidersFrom(COLORREF color);
  COLORREF SliderColor() const;
  void WriteSliderValues();
  void OnSlider();
  void OnTarget();
  void OnScheme();
  void DeleteCurrentScheme();
  void NewScheme();
  void MakeCurrent(int index);
  void UpdateSample();

  std::vector<ColorScheme> schemes_;
  int current_ = -1;
};
