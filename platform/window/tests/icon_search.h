// Tests: where an icon shows in a picture (every opaque pixel matching).
#pragma once

#include "platform/window/shell_icons.h"

#include <vector>

inline std::vector<POINT> FindIcon(const Bitmap& picture, const Icon& icon) {
  std::vector<POINT> found;
  const int w = icon.picture.Width(), h = icon.picture.Height();
  for (int y = 0; y + h <= picture.Height(); ++y)
    for (int x = 0; x + w <= picture.Width(); ++x) {
      bool all = true;
      for (int row = 0; row < h && all; ++row)
        for (int col = 0; col < w && all; ++col)
          all = icon.mask.GetPixel(col, row) == 0 ||
                picture.GetPixel(x + col, y + row) == icon.picture.GetPixel(col, row);
      if (all) found.push_back({x, y});
    }
  return found;
}

inline std::vector<POINT> FindShellIcon(const Bitmap& picture, int icon) {
  return FindIcon(picture, *LoadShellIcon(icon));
}
