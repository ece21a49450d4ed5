// Tests: where a shell icon shows in a picture (every opaque pixel matching).
#pragma once

#include "platform/window/shell_icons.h"

#include <vector>

inline std::vector<POINT> FindShellIcon(const Bitmap& picture, int icon) {
  std::vector<POINT> found;
  for (int y = 0; y + kShellIconSize <= picture.Height(); ++y)
    for (int x = 0; x + kShellIconSize <= picture.Width(); ++x) {
      bool all = true;
      for (int row = 0; row < kShellIconSize && all; ++row)
        for (int col = 0; col < kShellIconSize && all; ++col) {
          COLORREF colour;
          if (ShellIconPixel(icon, col, row, &colour))
            all = picture.GetPixel(x + col, y + row) == colour;
        }
      if (all) found.push_back({x, y});
    }
  return found;
}
