// CHeaderDlg: a dialog with a title band across its top, drawn in a bold
// face, with a line under it, and the small helpers its dialogs share.
#pragma once

#include <string>

#include "platform/window/device_context.h"
#include "platform/window/dialog.h"
#include "platform/window/dialog_layout.h"

class CHeaderDlg : public Dialog {
 public:
  static constexpr int kBandHeight = 22;
  static constexpr int kTitleMargin = 8;
  static constexpr COLORREF kTitleColor = 0x9C0000;
  static constexpr COLORREF kLineColor = 0xC0C0C0;

  CHeaderDlg(UINT templateId, std::u16string caption, std::u16string title);

  const std::u16string& Title() const { return title_; }
  void SetTitle(std::u16string title) { title_ = std::move(title); }

  // The band and its line; nothing without a title.
  int BandHeight() const override { return title_.empty() ? 0 : kBandHeight + 1; }
  void PaintBand(DeviceContext& dc, int width) const override { PaintTitleBand(dc, width); }

  // The band over the given width: the title on one line, vertically
  // centred, and a black line at y = 22. Nothing without a title.
  void PaintTitleBand(DeviceContext& dc, int width) const;
  // A grey line one pixel high across the width at y.
  static void DrawSeparator(DeviceContext& dc, int y, int width);
  static FontPtr TitleFont();

  // The title's bold face on a control.
  void SetBoldFont(int id);
  // A grey line from the right of each control (a list ended by 0) to the
  // dialog's right margin, through the control's middle.
  void DrawLinesBeside(DeviceContext& dc, const DialogLayout& layout, const int* ids) const;
  void EnableControl(int id, bool enable) { EnableDlgItem(id, enable); }
  // Puts a new control where the placeholder was (the same place and
  // size); null when there is no placeholder of that id.
  Control* ReplaceControl(int placeholderId, int id, ControlKind kind, std::u16string text = {});

 private:
  std::u16string title_;
};
