// A 24-bit device-independent bitmap: blue, green, red bytes per pixel, rows
// padded to whole 32-bit words, stored top-down or bottom-up.
#pragma once

#include "platform/window/window_types.h"

#include <cstdint>
#include <vector>

class Bitmap {
 public:
  Bitmap() = default;
  // Filled with black.
  Bitmap(int width, int height, bool bottom_up = false);

  // Deletes the old pixels; a zero or negative size gives an empty bitmap.
  // Rows hold at least `row_pixels` pixels (wider rows than the picture).
  void Create(int width, int height, bool bottom_up = false, int row_pixels = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  bool BottomUp() const { return bottom_up_; }
  // Bytes per row: 3 x width (or the row pixels asked for) rounded up to a
  // multiple of 4.
  int Stride() const { return stride_; }
  static int StrideFor(int width) { return (width * 3 + 3) & ~3; }

  // The pixel bits as stored (row 0 is the bottom row when bottom-up).
  BYTE* Bits() { return bits_.data(); }
  const BYTE* Bits() const { return bits_.data(); }
  // The first byte of picture row y (0 = top) whatever the storage order.
  BYTE* Row(int y);
  const BYTE* Row(int y) const;

  // Out-of-range pixels read as 0 and ignore writes.
  COLORREF GetPixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF colour);
  // Clipped to the bitmap.
  void FillRect(const RECT& rect, COLORREF colour);
  void Fill(COLORREF colour);

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  bool bottom_up_ = false;
  std::vector<BYTE> bits_;
};
