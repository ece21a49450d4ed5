#include "reader/dialogs/folder_tree/header_dlg.h"

CHeaderDlg::CHeaderDlg(UINT templateId, std::u16string caption, std::u16string title)
    : Dialog(templateId, std::move(caption)), title_(std::move(title)) {}

FontPtr CHeaderDlg::TitleFont() {
  LOGFONTW description;
  description.lfHeight = 11;
  description.lfWeight = FW_BOLD;
  description.lfPitchAndFamily = FF_SWISS;
  SetFaceName(&description, u"Tahoma");
  return Font::Create(description);
}

void CHeaderDlg::PaintTitleBand(DeviceContext& dc, int width) const {
  if (title_.empty()) return;
  FontPtr previous = dc.SelectFont(TitleFont());
  const COLORREF oldColor = dc.SetTextColor(kTitleColor);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  const SIZE extent = dc.GetTextExtentPoint32W(title_);
  const RECT band{0, 0, width, kBandHeight};
  dc.ExtTextOutW(kTitleMargin, (kBandHeight - extent.cy) / 2, ETO_CLIPPED, &band, title_);
  dc.FillSolidRect(RECT{0, kBandHeight, width, kBandHeight + 1}, RGB(0, 0, 0));
  dc.SetBkMode(oldMode);
  dc.SetTextColor(oldColor);
  dc.SelectFont(previous);
}

void CHeaderDlg::DrawSeparator(DeviceContext& dc, int y, int width) {
  dc.FillSolidRect(RECT{0, y, width, y + 1}, kLineColor);
}
