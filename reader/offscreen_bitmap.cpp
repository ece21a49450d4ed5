#include "reader/offscreen_bitmap.h"

#include <algorithm>

namespace {

std::unique_ptr<Bitmap> NewSection(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  auto section = std::make_unique<Bitmap>();
  section->Create(width, height, true, (width + 3) & ~3);
  return section;
}

void CopyRGB(const BYTE* rgb, Bitmap& out) {
  const int w = out.Width();
  for (int y = 0; y < out.Height(); ++y) {
    const BYTE* in = rgb + static_cast<size_t>(y) * w * 3;
    BYTE* row = out.Row(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = in[3 * x + 2];
      row[3 * x + 1] = in[3 * x + 1];
      row[3 * x + 2] = in[3 * x];
    }
  }
}

}  // namespace

bool COffscreenBitmap::Create(int width, int height) {
  ReleaseDC();
  bitmap_ = NewSection(width, height);
  return bitmap_ != nullptr;
}

bool COffscreenBitmap::FromBitmap(const Bitmap& source) {
  if (!Create(source.Width(), source.Height())) return false;
  DeviceContext from(const_cast<Bitmap*>(&source));
  return GetDC()->BitBlt(0, 0, Width(), Height(), from, 0, 0, SRCCOPY) != FALSE;
}

bool COffscreenBitmap::FromDC(const DeviceContext& dc, const RECT& area) {
  if (!Create(area.Width(), area.Height())) return false;
  return GetDC()->BitBlt(0, 0, Width(), Height(), dc, area.left, area.top, SRCCOPY) != FALSE;
}

bool COffscreenBitmap::FromRGB(const BYTE* rgb, int width, int height) {
  if (rgb == nullptr || !Create(width, height)) return false;
  CopyRGB(rgb, *bitmap_);
  return true;
}

std::unique_ptr<Bitmap> COffscreenBitmap::CreateBitmapFromRGB(const BYTE* rgb, int width,
                                                              int height) {
  std::unique_ptr<Bitmap> out = NewSection(width, height);
  if (out && rgb != nullptr) CopyRGB(rgb, *out);
  return rgb != nullptr ? std::move(out) : nullptr;
}

void COffscreenBitmap::Fill(int width, int height, COLORREF colour) {
  if (bitmap_) bitmap_->FillRect(RECT{0, 0, width, height}, colour);
}

void COffscreenBitmap::Draw(DeviceContext& dc, POINT at) const {
  if (!bitmap_) return;
  DeviceContext from(bitmap_.get());
  dc.BitBlt(at.x, at.y, Width(), Height(), from, 0, 0, SRCCOPY);
}

DeviceContext* COffscreenBitmap::GetDC() {
  if (!bitmap_) return nullptr;
  if (!dc_) {
    dc_ = std::make_unique<DeviceContext>();
    dc_->SelectBitmap(bitmap_.get());
  }
  return dc_.get();
}

void COffscreenBitmap::ReleaseDC() { dc_.reset(); }
