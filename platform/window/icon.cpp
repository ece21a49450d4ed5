#include "platform/window/icon.h"

#include <algorithm>

Icon IconFromRows(const std::vector<std::string_view>& rows, const std::map<char, COLORREF>& palette) {
  int width = 0;
  for (std::string_view row : rows) width = std::max(width, static_cast<int>(row.size()));
  Icon icon;
  const int height = static_cast<int>(rows.size());
  icon.picture.Create(width, height);
  icon.mask.Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      const auto colour = palette.find(rows[y][x]);
      if (colour == palette.end()) continue;
      icon.picture.SetPixel(x, y, colour->second);
      icon.mask.SetPixel(x, y, RGB(255, 255, 255));
    }
  return icon;
}

void DrawIcon(Bitmap& target, int x, int y, const Icon& icon) {
  for (int row = 0; row < icon.picture.Height(); ++row)
    for (int col = 0; col < icon.picture.Width(); ++col)
      if (icon.mask.GetPixel(col, row) != 0)
        target.SetPixel(x + col, y + row, icon.picture.GetPixel(col, row));
}
