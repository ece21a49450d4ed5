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

void CHeaderDlg::SetBoldFont(int id) {
  if (Control* c = GetDlgItem(id)) {
    c->bold = true;
    ++c->revision;
  }
}

void CHeaderDlg::DrawLinesBeside(DeviceContext& dc, const DialogLayout& layout,
                                 const int* ids) const {
  const auto& controls = Controls();
  for (; ids != nullptr && *ids != 0; ++ids)
    for (size_t i = 0; i < controls.size() && i < layout.controls.size(); ++i) {
      if (controls[i].id != *ids) continue;
      const RECT& r = layout.controls[i];
      const LONG y = r.top + r.Height() / 2;
      const LONG right = layout.width - kDialogMargin;
      if (r.right + kTitleMargin / 2 < right)
        dc.FillSolidRect(RECT{r.right + kTitleMargin / 2, y, right, y + 1}, kLineColor);
    }
}

Control* CHeaderDlg::ReplaceControl(int placeholderId, int id, ControlKind kind,
                                    std::u16string text) {
  Control* placeholder = GetDlgItem(placeholderId);
  if (placeholder == nullptr) return nullptr;
  Control created;
  created.id = id;
  created.kind = kind;
  created.text = std::move(text);
  created.visible = placeholder->visible;
  created.enabled = placeholder->enabled;
  created.revision = placeholder->revision + 1;
  *placeholder = std::move(created);
  return placeholder;
}
