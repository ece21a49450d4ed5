// CHeaderDlg: a dialog with a title band across its top, drawn in a bold
// face, with a line under it.
#pragma once

#include <string>

#include "platform/window/device_context.h"
#include "platform/window/dialog.h"

class CHeaderDlg : public Dialog {
 public:
  static constexpr int kBandHeight = 22;
  static constexpr int kTitleMargin = 8;
  static constexpr COLORREF kTitleColor = 0x9C0000;
  static constexpr COLORREF kLineColor = 0xC0C0C0;

  CHeaderDlg(UINT templateId, std::u16string caption, std::u16string title);

  const std::u16string& Title() const { return title_; }
  void SetTitle(std::u16string title) { title_ = std::move(title); }

  // The band over the given width: the title on one line, vertically
  // centred, and a black line at y = 22. Nothing without a title.
  void PaintTitleBand(DeviceContext& dc, int width) const;
  // A grey line one pixel high across the width at y.
  static void DrawSeparator(DeviceContext& dc, int y, int width);
  static FontPtr TitleFont();

 private:
  std::u16string title_;
};
