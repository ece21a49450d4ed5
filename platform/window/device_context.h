// A device context drawing into a 24-bit Bitmap: solid fills, text with the
// selected font, and copies between bitmaps. A context without a bitmap only
// measures. Coordinates are pixels of the bitmap; text is placed by the top
// of its cell (ascent above the baseline), as with the default alignment.
#pragma once

#include "platform/window/bitmap.h"
#include "platform/window/font.h"

#include <string>
#include <string_view>

class DeviceContext {
 public:
  // Measures only; drawing does nothing.
  DeviceContext();
  // Draws into the bitmap, which must outlive the context.
  explicit DeviceContext(Bitmap* target);

  Bitmap* Target() { return target_; }
  const Bitmap* Target() const { return target_; }
  // Pointing it elsewhere keeps font, colours and mode (SelectObject of a bitmap).
  void SelectBitmap(Bitmap* target) { target_ = target; }

  // Returns the previous font. A null font selects the stock font.
  FontPtr SelectFont(FontPtr font);
  const FontPtr& CurrentFont() const { return font_; }

  COLORREF SetTextColor(COLORREF colour);
  COLORREF GetTextColor() const { return text_colour_; }
  COLORREF SetBkColor(COLORREF colour);
  COLORREF GetBkColor() const { return back_colour_; }
  // TRANSPARENT or OPAQUE; returns the previous mode.
  int SetBkMode(int mode);
  int GetBkMode() const { return back_mode_; }

  // LOGPIXELSX/Y (the screen's, 96 by default), HORZRES/VERTRES (the
  // bitmap's size), BITSPIXEL (24).
  int GetDeviceCaps(int index) const;

  void FillSolidRect(const RECT& rect, COLORREF colour);

  // Draws the text with its cell's top-left corner at (x, y). ETO_OPAQUE
  // fills `rect` with the background colour first; ETO_CLIPPED clips to it.
  // In OPAQUE mode the text's cell is filled with the background colour.
  // `dx` (optional) gives each character's advance instead of the font's.
  BOOL ExtTextOutW(int x, int y, UINT options, const RECT* rect, std::u16string_view text,
                   const int* dx = nullptr);
  BOOL TextOutW(int x, int y, std::u16string_view text) {
    return ExtTextOutW(x, y, 0, nullptr, text);
  }

  // Width (sum of advances) and cell height of the text.
  SIZE GetTextExtentPoint32W(std::u16string_view text) const;
  // Like GetTextExtentPoint32W; `fit` (optional) gets the number of leading
  // characters whose total width is at most `max_extent`, `partial` (optional,
  // text.size() entries) the running widths.
  SIZE GetTextExtentExPointW(std::u16string_view text, int max_extent, int* fit,
                             int* partial) const;
  TEXTMETRICW GetTextMetricsW() const;

  // Copies a w x h block from the source's bitmap (clipped to both).
  BOOL BitBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy,
              DWORD rop = SRCCOPY);
  // Scales the source block onto the destination block (nearest pixel).
  BOOL StretchBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy,
                  int sw, int sh, DWORD rop = SRCCOPY);
  // Copies source pixels where the mask pixel is not black and keeps the
  // destination where it is black (rop MASKBLT_SRC_OVER_DEST).
  BOOL MaskBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy,
               const Bitmap& mask, int mx, int my, DWORD rop = MASKBLT_SRC_OVER_DEST);

 private:
  void DrawGlyph(const Font::Glyph& glyph, int pen_x, int baseline, const RECT& clip);

  Bitmap* target_ = nullptr;
  FontPtr font_;
  COLORREF text_colour_ = RGB(0, 0, 0);
  COLORREF back_colour_ = RGB(255, 255, 255);
  int back_mode_ = OPAQUE;
};

// The screen's resolution in dots per inch (LOGPIXELSY); 96 unless a back
// end sets another.
int ScreenDpi();
void SetScreenDpi(int dpi);
