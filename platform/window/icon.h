// Icons as a program's resources hold them: a picture and its mask, both
// the same size. Windows show them in their title and task bars, dialogs in
// icon statics.
#pragma once

#include "platform/window/bitmap.h"

#include <map>
#include <string_view>
#include <vector>

struct Icon {
  Bitmap picture;
  Bitmap mask;  // white where the picture shows, black where it is clear
};
// The loaded icons are the program's own and live as long as it does.
using HICON = const Icon*;

// An icon drawn as rows of characters, each character a colour of the
// palette; a character the palette lacks is clear.
Icon IconFromRows(const std::vector<std::string_view>& rows, const std::map<char, COLORREF>& palette);

// Draws the icon with its top-left corner at (x, y), clear parts left alone.
void DrawIcon(Bitmap& target, int x, int y, const Icon& icon);
