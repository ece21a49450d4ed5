// COffscreenBitmap: the reader's off-screen picture. A 24-bit bitmap with
// bottom-up rows whose width is rounded up to a multiple of 4 pixels, so
// that every row is a whole number of 32-bit words and the pixel bits can
// be read and written directly; it keeps one memory device context on it.
#pragma once

#include <memory>

#include "platform/window/bitmap.h"
#include "platform/window/device_context.h"

class COffscreenBitmap {
 public:
  static constexpr LONG kPixelsPerMetre = 3780;

  COffscreenBitmap() = default;
  COffscreenBitmap(const COffscreenBitmap&) = delete;
  COffscreenBitmap& operator=(const COffscreenBitmap&) = delete;

  // Deletes any old bitmap (and its context). False for an empty size.
  bool Create(int width, int height);
  // A bitmap of the source's size holding a copy of it.
  bool FromBitmap(const Bitmap& source);
  // The area of a device context's bitmap (clipped to it).
  bool FromDC(const DeviceContext& dc, const RECT& area);
  // A top-down buffer of red, green, blue bytes, `width` x 3 bytes a row.
  bool FromRGB(const BYTE* rgb, int width, int height);
  // The same as a bitmap of its own, which the caller then owns.
  static std::unique_ptr<Bitmap> CreateBitmapFromRGB(const BYTE* rgb, int width, int height);

  // Paints the top-left width x height pixels (clipped) in one colour. The
  // colour is stored in the section's blue-green-red order, so it shows as
  // given rather than with red and blue exchanged.
  void Fill(int width, int height, COLORREF colour);

  // Copies width x height pixels to the point.
  void Draw(DeviceContext& dc, POINT at) const;

  // A memory context with this bitmap selected, made on first use and kept
  // until ReleaseDC.
  DeviceContext* GetDC();
  void ReleaseDC();

  int Width() const { return bitmap_ ? bitmap_->Width() : 0; }
  int Height() const { return bitmap_ ? bitmap_->Height() : 0; }
  // Pixels a stored row holds.
  int RowWidth() const { return bitmap_ ? bitmap_->Stride() / 3 : 0; }
  BYTE* Bits() { return bitmap_ ? bitmap_->Bits() : nullptr; }
  Bitmap* Handle() { return bitmap_.get(); }
  const Bitmap* Handle() const { return bitmap_.get(); }

 private:
  std::unique_ptr<Bitmap> bitmap_;
  std::unique_ptr<DeviceContext> dc_;
};
