// CChooseFontPage: the reading font's face, size and style, with a sample.
#pragma once

#include "platform/window/device_context.h"
#include "platform/window/dialog.h"
#include "platform/window/dialog_layout.h"
#include "platform/window/font.h"

class CChooseFontPage : public PropertyPage {
 public:
  static constexpr UINT IDD = 132;
  static constexpr int IDC_FACE = 1002;
  static constexpr int IDC_SIZE = 1019;
  static constexpr int IDC_BOLD = 1020;
  static constexpr int IDC_ITALIC = 1021;
  static constexpr int IDC_UNDERLINE = 1022;
  static constexpr int IDC_SMOOTHED = 1023;
  static constexpr int IDC_SAMPLE = 1026;

  CChooseFontPage();

  // The font's description: filled before the run, read back after OK.
  LOGFONTW font{};

  const FontPtr& SampleFont() const { return sampleFont_; }
  int Dpi() const { return dpi_; }

  BOOL OnInitDialog() override;

  // A one-pixel grey (0xC0C0C0) line across the control, two pixels below
  // it, in the page as laid out; nothing for an id the page lacks.
  void DrawLineBelow(DeviceContext& dc, const DialogLayout& layout, int id) const;

 private:
  void FillFaces();
  void FillSizes();
  void OnStyle(int id);
  void OnFaceChosen();
  void OnFaceTyped();
  void OnSizeChosen();
  void OnSizeTyped();
  void SetPoints(const std::u16string& text);
  void UpdateSample();

  std::u16string sampleText_ = u"AaBbCcXxYyZz";
  int dpi_ = 96;
  FontPtr sampleFont_;
};
