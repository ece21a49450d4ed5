#include "platform/window/bitmap.h"

#include <algorithm>

Bitmap::Bitmap(int width, int height, bool bottom_up) { Create(width, height, bottom_up); }

void Bitmap::Create(int width, int height, bool bottom_up, int row_pixels) {
  if (width <= 0 || height <= 0) {
    width = 0;
    height = 0;
  }
  width_ = width;
  height_ = height;
  bottom_up_ = bottom_up;
  stride_ = width > 0 ? StrideFor(std::max(width, row_pixels)) : 0;
  bits_.assign(static_cast<size_t>(stride_) * height, 0);
}

BYTE* Bitmap::Row(int y) {
  int stored = bottom_up_ ? height_ - 1 - y : y;
  return bits_.data() + static_cast<size_t>(stored) * stride_;
}

const BYTE* Bitmap::Row(int y) const {
  int stored = bottom_up_ ? height_ - 1 - y : y;
  return bits_.data() + static_cast<size_t>(stored) * stride_;
}

COLORREF Bitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const BYTE* p = Row(y) + x * 3;
  return RGB(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  BYTE* p = Row(y) + x * 3;
  p[0] = GetBValue(colour);
  p[1] = GetGValue(colour);
  p[2] = GetRValue(colour);
}

void Bitmap::FillRect(const RECT& rect, COLORREF colour) {
  int left = std::max<int>(rect.left, 0);
  int right = std::min<int>(rect.right, width_);
  int top = std::max<int>(rect.top, 0);
  int bottom = std::min<int>(rect.bottom, height_);
  if (left >= right || top >= bottom) return;
  const BYTE b = GetBValue(colour), g = GetGValue(colour), r = GetRValue(colour);
  for (int y = top; y < bottom; ++y) {
    BYTE* p = Row(y) + left * 3;
    for (int x = left; x < right; ++x, p += 3) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }
}

void Bitmap::Fill(COLORREF colour) { FillRect({0, 0, width_, height_}, colour); }
