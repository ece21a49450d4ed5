// The FLTK back end's drawing and X11 calls, in a file of their own: X11's
// headers (pulled in by fl_draw.H) declare names such as Font that clash with
// the window services' own.
#include "platform/window/bitmap.h"
#include "platform/window/fltk_internal.h"
#include "platform/window/icon.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#ifdef PARLEN_HAVE_XFIXES
#include <X11/extensions/Xfixes.h>
#endif

#include <algorithm>

namespace fltk_backend {

std::unique_ptr<Fl_RGB_Image> MakeIconImage(const Icon& icon, int indent) {
  const int w = indent + icon.picture.Width(), h = icon.picture.Height();
  uchar* bytes = new uchar[static_cast<size_t>(w) * h * 4]();
  for (int y = 0; y < h; ++y)
    for (int x = indent; x < w; ++x) {
      const COLORREF c = icon.picture.GetPixel(x - indent, y);
      uchar* p = bytes + (static_cast<size_t>(y) * w + x) * 4;
      p[0] = GetRValue(c);
      p[1] = GetGValue(c);
      p[2] = GetBValue(c);
      p[3] = icon.mask.GetPixel(x - indent, y) != 0 ? 255 : 0;
    }
  auto image = std::make_unique<Fl_RGB_Image>(bytes, w, h, 4);
  image->alloc_array = 1;
  return image;
}

bool CanOpenDisplay() {
  if (fl_display != nullptr) return true;
  ::Display* probe = XOpenDisplay(nullptr);
  if (probe == nullptr) return false;
  // The toolkit connects before the probe goes: closing the only client of
  // a fresh X server resets it, and a connection made meanwhile is refused.
  fl_open_display();
  XCloseDisplay(probe);
  return true;
}

void TakeDisplayEvents() {
  if (fl_display != nullptr) XSync(fl_display, False);
  Fl::check();
}

void DrawScreen(const Bitmap& bitmap, int x, int y, int w, int h, bool display_on) {
  if (!display_on) {
    fl_rectf(x, y, w, h, FL_BLACK);
    return;
  }
  w = std::min(w, bitmap.Width());
  h = std::min(h, bitmap.Height());
  if (w <= 0 || h <= 0) return;
  fl_draw_image(
      [](void* data, int x, int y, int w, uchar* out) {
        const Bitmap& bitmap = *static_cast<const Bitmap*>(data);
        const BYTE* row = bitmap.Row(y) + x * 3;
        for (int i = 0; i < w; ++i) {
          out[i * 3 + 0] = row[i * 3 + 2];
          out[i * 3 + 1] = row[i * 3 + 1];
          out[i * 3 + 2] = row[i * 3 + 0];
        }
      },
      const_cast<Bitmap*>(&bitmap), x, y, w, h, 3);
}

bool ReadScreen(int x, int y, int w, int h, Bitmap* pixels) {
  if (fl_display) XSync(fl_display, False);
  uchar* rgb = fl_read_image(nullptr, x, y, w, h);
  if (!rgb) return false;
  pixels->Create(w, h);
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      const uchar* p = rgb + (static_cast<size_t>(row) * w + col) * 3;
      pixels->SetPixel(col, row, RGB(p[0], p[1], p[2]));
    }
  delete[] rgb;
  return true;
}

int LabelWidth(const char* text, int size) {
  fl_font(FL_HELVETICA, size);
  return static_cast<int>(fl_width(text));
}

void MeasureWrapped(const char* text, int max_width, int* width, int* height) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int w = max_width, h = 0;
  fl_measure(text, w, h, 0);
  *width = std::min(std::max(w, 1), max_width);
  *height = h;
}

bool CursorAt(int x, int y, Bitmap* image, std::string* name) {
#ifndef PARLEN_HAVE_XFIXES
  (void)x, (void)y, (void)image, (void)name;
  return false;
#else
  if (!fl_display) return false;
  XWarpPointer(fl_display, None, DefaultRootWindow(fl_display), 0, 0, 0, 0, x, y);
  XSync(fl_display, False);
  int event_base = 0, error_base = 0;
  if (!XFixesQueryExtension(fl_display, &event_base, &error_base)) return false;
  XFixesCursorImage* cursor = XFixesGetCursorImage(fl_display);
  if (!cursor) return false;
  *name = cursor->name ? cursor->name : "";
  image->Create(cursor->width, cursor->height);
  // Premultiplied ARGB over white.
  for (int row = 0; row < cursor->height; ++row)
    for (int col = 0; col < cursor->width; ++col) {
      const unsigned long argb = cursor->pixels[row * cursor->width + col];
      const int alpha = static_cast<int>((argb >> 24) & 0xFF);
      const auto over_white = [&](int shift) {
        return static_cast<BYTE>(std::min(255, static_cast<int>((argb >> shift) & 0xFF) + 255 - alpha));
      };
      image->SetPixel(col, row, RGB(over_white(16), over_white(8), over_white(0)));
    }
  XFree(cursor);
  return true;
#endif
}

}  // namespace fltk_backend
