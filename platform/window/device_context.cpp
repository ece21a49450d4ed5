#include "platform/window/device_context.h"

#include <algorithm>
#include <atomic>
#include <numeric>
#include <utility>

namespace {

std::atomic<int> g_screen_dpi{96};

const FontPtr& StockFont() {
  static FontPtr stock = Font::Stock();
  return stock;
}

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

BYTE Blend(BYTE under, BYTE over, int coverage) {
  return static_cast<BYTE>(under + ((static_cast<int>(over) - under) * coverage + 127) / 255);
}

}  // namespace

int ScreenDpi() { return g_screen_dpi.load(); }
void SetScreenDpi(int dpi) { g_screen_dpi.store(dpi > 0 ? dpi : 96); }

DeviceContext::DeviceContext() : font_(StockFont()) {}

DeviceContext::DeviceContext(Bitmap* target) : target_(target), font_(StockFont()) {}

FontPtr DeviceContext::SelectFont(FontPtr font) {
  FontPtr previous = font_;
  font_ = font ? std::move(font) : StockFont();
  return previous;
}

COLORREF DeviceContext::SetTextColor(COLORREF colour) {
  return std::exchange(text_colour_, colour & 0xFFFFFF);
}

COLORREF DeviceContext::SetBkColor(COLORREF colour) {
  return std::exchange(back_colour_, colour & 0xFFFFFF);
}

int DeviceContext::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(back_mode_, mode);
}

int DeviceContext::GetDeviceCaps(int index) const {
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return ScreenDpi();
    case HORZRES:
      return target_ ? target_->Width() : 480;
    case VERTRES:
      return target_ ? target_->Height() : 640;
    case BITSPIXEL:
      return 24;
    default:
      return 0;
  }
}

void DeviceContext::FillSolidRect(const RECT& rect, COLORREF colour) {
  if (target_) target_->FillRect(rect, colour);
}

void DeviceContext::DrawGlyph(const Font::Glyph& glyph, int pen_x, int baseline, const RECT& clip) {
  const int x0 = pen_x + glyph.left;
  const int y0 = baseline - glyph.top;
  const BYTE r = GetRValue(text_colour_), g = GetGValue(text_colour_), b = GetBValue(text_colour_);
  for (int gy = 0; gy < glyph.height; ++gy) {
    const int y = y0 + gy;
    if (y < clip.top || y >= clip.bottom) continue;
    BYTE* row = target_->Row(y);
    const BYTE* cov = glyph.coverage.data() + static_cast<size_t>(gy) * glyph.width;
    for (int gx = 0; gx < glyph.width; ++gx) {
      const int x = x0 + gx;
      const int c = cov[gx];
      if (c == 0 || x < clip.left || x >= clip.right) continue;
      BYTE* p = row + x * 3;
      if (c == 255) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
      } else {
        p[0] = Blend(p[0], b, c);
        p[1] = Blend(p[1], g, c);
        p[2] = Blend(p[2], r, c);
      }
    }
  }
}

BOOL DeviceContext::ExtTextOutW(int x, int y, UINT options, const RECT* rect,
                                std::u16string_view text, const int* dx) {
  if (target_ == nullptr) return TRUE;
  RECT clip{0, 0, target_->Width(), target_->Height()};
  if ((options & ETO_CLIPPED) && rect) clip = Intersect(clip, *rect);
  if ((options & ETO_OPAQUE) && rect) target_->FillRect(*rect, back_colour_);
  const Font& font = *font_;
  const TEXTMETRICW& m = font.Metrics();
  // Glyphs go where their summed fine advances put them, each rounded
  // once, so rounding errors never add up along a line.
  const int width = dx ? std::accumulate(dx, dx + text.size(), 0) : font.TextWidth(text);
  if (back_mode_ == OPAQUE) target_->FillRect(Intersect(clip, {x, y, x + width, y + m.tmHeight}), back_colour_);
  const int baseline = y + m.tmAscent;
  int pen = x;
  int fine = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const Font::Glyph& glyph = font.GetGlyph(text[i]);
    DrawGlyph(glyph, pen, baseline, clip);
    if (dx) {
      pen += dx[i];
    } else {
      fine += glyph.fine_advance;
      pen = x + ((fine + 32) >> 6);
    }
  }
  if (font.Description().lfUnderline) {
    const int thickness = std::max(1, static_cast<int>(m.tmHeight - m.tmInternalLeading) / 14);
    target_->FillRect(Intersect(clip, {x, baseline + 1, pen, baseline + 1 + thickness}), text_colour_);
  }
  return TRUE;
}

SIZE DeviceContext::GetTextExtentPoint32W(std::u16string_view text) const {
  return {font_->TextWidth(text), font_->Metrics().tmHeight};
}

SIZE DeviceContext::GetTextExtentExPointW(std::u16string_view text, int max_extent, int* fit,
                                          int* partial) const {
  int sum = 0;
  int fine = 0;
  int fitting = 0;
  bool fits = true;
  for (size_t i = 0; i < text.size(); ++i) {
    fine += font_->GetGlyph(text[i]).fine_advance;
    sum = (fine + 32) >> 6;
    if (partial) partial[i] = sum;
    if (fits && sum <= max_extent) ++fitting;
    else fits = false;
  }
  if (fit) *fit = fitting;
  return {sum, font_->Metrics().tmHeight};
}

TEXTMETRICW DeviceContext::GetTextMetricsW() const { return font_->Metrics(); }

BOOL DeviceContext::BitBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy,
                           DWORD) {
  if (target_ == nullptr || source.target_ == nullptr) return FALSE;
  return StretchBlt(x, y, w, h, source, sx, sy, w, h);
}

BOOL DeviceContext::StretchBlt(int x, int y, int w, int h, const DeviceContext& source, int sx,
                               int sy, int sw, int sh, DWORD) {
  if (target_ == nullptr || source.target_ == nullptr) return FALSE;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return TRUE;
  // Copying within one bitmap: read from a snapshot.
  Bitmap snapshot;
  const Bitmap* from = source.target_;
  if (from == target_) {
    snapshot = *target_;
    from = &snapshot;
  }
  const int top = std::max(0, y), bottom = std::min(target_->Height(), y + h);
  const int left = std::max(0, x), right = std::min(target_->Width(), x + w);
  for (int ty = top; ty < bottom; ++ty) {
    const int fy = sy + static_cast<int>(static_cast<int64_t>(ty - y) * sh / h);
    if (fy < 0 || fy >= from->Height()) continue;
    const BYTE* src = from->Row(fy);
    BYTE* dst = target_->Row(ty);
    for (int tx = left; tx < right; ++tx) {
      const int fx = sx + static_cast<int>(static_cast<int64_t>(tx - x) * sw / w);
      if (fx < 0 || fx >= from->Width()) continue;
      std::copy_n(src + fx * 3, 3, dst + tx * 3);
    }
  }
  return TRUE;
}

BOOL DeviceContext::MaskBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy,
                            const Bitmap& mask, int mx, int my, DWORD) {
  if (target_ == nullptr || source.target_ == nullptr) return FALSE;
  const Bitmap& from = *source.target_;
  for (int j = 0; j < h; ++j) {
    const int ty = y + j, fy = sy + j, my_ = my + j;
    if (ty < 0 || ty >= target_->Height() || fy < 0 || fy >= from.Height()) continue;
    for (int i = 0; i < w; ++i) {
      const int tx = x + i, fx = sx + i;
      if (tx < 0 || tx >= target_->Width() || fx < 0 || fx >= from.Width()) continue;
      if ((mask.GetPixel(mx + i, my_) & 0xFFFFFF) == 0) continue;
      target_->SetPixel(tx, ty, from.GetPixel(fx, fy));
    }
  }
  return TRUE;
}
