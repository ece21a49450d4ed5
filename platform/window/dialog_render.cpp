#include "platform/window/dialog_render.h"

#include "platform/window/device_context.h"
#include "platform/window/png_file.h"
#include "platform/window/shell_icons.h"

#include <algorithm>

namespace {

constexpr int kTitleHeight = 24;
constexpr COLORREF kFace = RGB(0xE0, 0xE0, 0xE0);
constexpr COLORREF kFrame = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kField = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kGreyInk = RGB(0x90, 0x90, 0x90);
constexpr COLORREF kChosen = RGB(0x33, 0x66, 0xCC);

void Frame(Bitmap& b, const RECT& r, COLORREF colour) {
  b.FillRect({r.left, r.top, r.right, r.top + 1}, colour);
  b.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, colour);
  b.FillRect({r.left, r.top, r.left + 1, r.bottom}, colour);
  b.FillRect({r.right - 1, r.top, r.right, r.bottom}, colour);
}

class Painter {
 public:
  explicit Painter(Bitmap* out) : out_(*out), dc_(out) { dc_.SetBkMode(TRANSPARENT); }

  void Text(int x, int y, const RECT& clip, std::u16string_view text, COLORREF colour) {
    dc_.SetTextColor(colour);
    dc_.ExtTextOutW(x, y, ETO_CLIPPED, &clip, text);
  }
  int CellHeight() const { return dc_.GetTextMetricsW().tmHeight; }
  int Width(std::u16string_view text) const { return dc_.GetTextExtentPoint32W(text).cx; }

  void Draw(const Control& c, const RECT& r) {
    FontPtr previous;
    if (c.bold) {
      LOGFONTW bold = GetStockFontDescription();
      bold.lfWeight = FW_BOLD;
      previous = dc_.SelectFont(Font::Create(bold));
    }
    DrawIn(c, r);
    if (c.bold) dc_.SelectFont(previous);
  }

  void DrawIn(const Control& c, const RECT& r) {
    const COLORREF ink = c.enabled ? kInk : kGreyInk;
    const int middle = r.top + (r.Height() - CellHeight()) / 2;
    switch (c.kind) {
      case ControlKind::Static:
        if (c.IsSample()) DrawSample(c, r);
        else Text(r.left, r.top + 2, r, c.text, ink);
        break;
      case ControlKind::Button:
        out_.FillRect(r, kFace);
        Frame(out_, r, kFrame);
        Text(r.left + (r.Width() - Width(c.text)) / 2, middle, r, c.text, ink);
        break;
      case ControlKind::CheckBox: {
        const RECT box{r.left, middle + 2, r.left + 14, middle + 16};
        out_.FillRect(box, kField);
        Frame(out_, box, kFrame);
        if (c.checked) out_.FillRect({box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, ink);
        Text(r.left + 20, middle, r, c.text, ink);
        break;
      }
      case ControlKind::Edit:
      case ControlKind::ComboBox:
        out_.FillRect(r, kField);
        Frame(out_, r, kFrame);
        Text(r.left + 4, c.kind == ControlKind::Edit && c.multi_line ? r.top + 2 : middle,
             {r.left + 2, r.top + 1, r.right - 18, r.bottom - 1}, c.text, ink);
        if (c.kind == ControlKind::ComboBox)
          out_.FillRect({r.right - 14, middle + 6, r.right - 6, middle + 10}, ink);
        break;
      case ControlKind::ListBox:
      case ControlKind::ListView: {
        out_.FillRect(r, kField);
        Frame(out_, r, kFrame);
        const bool icons = !c.icons.empty();
        const int step = std::max(CellHeight() + 2, icons ? kShellIconSize + 2 : 0);
        RECT inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        if (c.kind == ControlKind::ListView && !c.text.empty()) {
          const RECT header{inside.left, inside.top, inside.right, inside.top + CellHeight() + 4};
          out_.FillRect(header, kFace);
          out_.FillRect({header.left, header.bottom - 1, header.right, header.bottom}, kFrame);
          Text(header.left + 4, header.top + 2, header, c.text, ink);
          inside.top = header.bottom;
        }
        for (int i = 0; i < c.GetCount() && inside.top + 1 + i * step < inside.bottom; ++i) {
          const int y = inside.top + 1 + i * step;
          const bool on = c.multi_select ? (i < static_cast<int>(c.selected.size()) && c.selected[i])
                                         : i == c.selection;
          if (on) out_.FillRect({inside.left, y, inside.right, std::min(y + step, inside.bottom)}, kChosen);
          std::u16string_view text = c.items[i];
          int x = r.left + 4;
          if (c.GetItemIcon(i) >= 0) {
            const size_t blanks = LeadingBlanks(text);
            text.remove_prefix(blanks);
            x += static_cast<int>(blanks) * kIconIndentPerBlank;
            const HICON icon = LoadShellIcon(c.GetItemIcon(i));
            if (icon && y + kShellIconSize <= inside.bottom)
              DrawIcon(out_, x, y + (step - kShellIconSize) / 2, *icon);
          }
          if (icons) x += kShellIconSize + 4;
          Text(x, y + (step - CellHeight()) / 2, inside, text, on ? kField : ink);
        }
        break;
      }
      case ControlKind::Slider: {
        const int axis = r.top + r.Height() / 2;
        out_.FillRect({r.left + 4, axis - 2, r.right - 4, axis + 2}, kFrame);
        const int span = std::max(1, c.range_max - c.range_min);
        const int x = r.left + 4 + (r.Width() - 18) * (c.position - c.range_min) / span;
        out_.FillRect({x, r.top + 2, x + 10, r.bottom - 2}, ink);
        break;
      }
    }
  }

 void DrawSample(const Control& c, const RECT& r) {
    if (c.icon) {
      out_.FillRect(r, c.back_colour.value_or(kFace));
      DrawIcon(out_, r.left, r.top + (r.Height() - c.icon->picture.Height()) / 2, *c.icon);
      return;
    }
    out_.FillRect(r, c.back_colour.value_or(kField));
    Frame(out_, r, kFrame);
    const FontPtr previous = dc_.SelectFont(c.font ? Font::Create(*c.font) : nullptr);
    const int y = r.top + (r.Height() - CellHeight()) / 2;
    Text(r.left + 6, y, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.text,
         c.text_colour.value_or(kInk));
    dc_.SelectFont(previous);
  }

 private:
  Bitmap& out_;
  DeviceContext dc_;
};

}  // namespace

TextMeasure StockFontMeasure() {
  return [](std::u16string_view text) { return DeviceContext().GetTextExtentPoint32W(text).cx; };
}

void RenderSample(const Control& sample, int w, int h, Bitmap* out) {
  out->Create(w, h);
  Painter painter(out);
  if (sample.IsSample()) painter.DrawSample(sample, {0, 0, w, h});
  else painter.Draw(sample, {0, 0, w, h});
}

void RenderBand(const Dialog& dialog, int width, Bitmap* out) {
  out->Create(width, dialog.BandHeight());
  out->Fill(kFace);
  DeviceContext dc(out);
  dialog.PaintBand(dc, width);
}

void DrawSplitter(Bitmap& out, const RECT& bar) {
  const int x = bar.left + (bar.Width() - kSplitterLineGap) / 2;
  out.FillRect({x, bar.top, x + 1, bar.bottom}, kFrame);
  out.FillRect({x + kSplitterLineGap, bar.top, x + kSplitterLineGap + 1, bar.bottom}, kFrame);
}

void RenderDialog(const Dialog& dialog, int width, Bitmap* out) {
  const DialogLayout layout = LayoutDialog(dialog, width, 1 << 20, false, StockFontMeasure());
  out->Create(width, layout.height + kTitleHeight);
  out->Fill(kFace);
  Painter painter(out);
  out->FillRect({0, 0, width, kTitleHeight}, kChosen);
  painter.Text(8, (kTitleHeight - painter.CellHeight()) / 2, {0, 0, width, kTitleHeight},
               dialog.Caption(), kField);
  if (dialog.BandHeight() > 0) {
    Bitmap band;
    RenderBand(dialog, width, &band);
    DeviceContext to(out);
    to.BitBlt(0, kTitleHeight, band.Width(), band.Height(), DeviceContext(&band), 0, 0);
  }
  const auto& controls = dialog.Controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (!controls[i].visible) continue;
    RECT r = layout.controls[i];
    r.top += kTitleHeight;
    r.bottom += kTitleHeight;
    painter.Draw(controls[i], r);
  }
  for (const SplitterPlace& place : layout.splitters)
    DrawSplitter(*out, {place.bar.left, place.bar.top + kTitleHeight, place.bar.right,
                        place.bar.bottom + kTitleHeight});
}

bool SaveDialogPng(const Dialog& dialog, int width, const std::string& path) {
  Bitmap frame;
  RenderDialog(dialog, width, &frame);
  return WritePng(frame, path);
}
