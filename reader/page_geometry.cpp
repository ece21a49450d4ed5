#include "reader/page_geometry.h"

#include <algorithm>

constexpr DWORD kDoubleTapMs = 500;

RECT FrameRect(const RECT& client, INT orientation) {
  RECT frame{0, 0, client.Width(), client.Height()};
  if (orientation == 1 || orientation == 3) std::swap(frame.right, frame.bottom);
  return frame;
}

RECT TextArea(const RECT& client, INT orientation, bool paneShown, LONG paneHeight) {
  RECT area = FrameRect(client, orientation);
  area.left += kTextMargin;
  area.top += kTextMargin;
  area.right -= kTextMargin;
  area.bottom -= kTextMargin;
  if (paneShown) area.bottom -= paneHeight;
  return area;
}

INT LineStep(INT fontHeight) { return fontHeight + fontHeight / 4; }

INT LinesPerPageFor(INT textHeight, INT lineStep) {
  if (lineStep <= 0 || textHeight <= 0) return 0;
  return textHeight / lineStep;
}

RECT ProgressBarScreenRect(INT orientation, LONG w, LONG h, LONG p, LONG r) {
  switch (orientation) {
    case 1: return {h - p, w - r, h, w};
    case 2: return {w - r, 0, w, p};
    case 3: return {0, 0, p, r};
    default: return {0, h - p, r, h};
  }
}

double TapPercentAlongBar(const RECT& bar, INT orientation, POINT tap) {
  LONG along = 0;
  LONG length = 0;
  switch (orientation) {
    case 1: along = bar.bottom - tap.y; length = bar.Height(); break;
    case 2: along = bar.right - tap.x; length = bar.Width(); break;
    case 3: along = tap.y - bar.top; length = bar.Height(); break;
    default: along = tap.x - bar.left; length = bar.Width(); break;
  }
  if (length <= 0) return 0.0;
  along = std::clamp<LONG>(along, 0, length);
  return along * 100.0 / length;
}

void TurnFrame(const Bitmap& frame, INT orientation, Bitmap& screen) {
  const int w = frame.Width();
  const int h = frame.Height();
  const bool sideways = orientation == 1 || orientation == 3;
  if (screen.Width() != (sideways ? h : w) || screen.Height() != (sideways ? w : h))
    screen.Create(sideways ? h : w, sideways ? w : h);
  for (int y = 0; y < h; ++y) {
    const BYTE* in = frame.Row(y);
    for (int x = 0; x < w; ++x) {
      int sx = x;
      int sy = y;
      switch (orientation) {
        case 1: sx = y; sy = w - 1 - x; break;
        case 2: sx = w - 1 - x; sy = h - 1 - y; break;
        case 3: sx = h - 1 - y; sy = x; break;
        default: break;
      }
      BYTE* out = screen.Row(sy) + 3 * sx;
      out[0] = in[3 * x];
      out[1] = in[3 * x + 1];
      out[2] = in[3 * x + 2];
    }
  }
}

bool TapTimer::IsDoubleTap(DWORD now) {
  const DWORD since = now - last_;
  if (since != 0 && since < kDoubleTapMs) {
    last_ = now - kDoubleTapMs;
    return true;
  }
  last_ = now;
  return false;
}
