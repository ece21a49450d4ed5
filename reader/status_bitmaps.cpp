#include "reader/status_bitmaps.h"

#include <algorithm>
#include <array>
#include <string>

#include "reader/page_geometry.h"

namespace {

struct NamedId {
  const char* name;
  UINT id;
};

constexpr std::array<NamedId, 18> kBitmapIds{{
    {"StatusBitmap", 158},       {"StatusBitmap90", 159},
    {"StatusBookmark", 160},     {"StatusBookmark90", 170},   {"StatusBookmark180", 171},
    {"StatusBookmark270", 172},  {"StatusBookmarki", 161},    {"StatusBookmarki90", 173},
    {"StatusBookmarki180", 174}, {"StatusBookmarki270", 175}, {"StatusReadmark", 162},
    {"StatusReadmark90", 164},   {"StatusReadmark180", 165},  {"StatusReadmark270", 166},
    {"StatusReadmarki", 163},    {"StatusReadmarki90", 167},  {"StatusReadmarki180", 168},
    {"StatusReadmarki270", 169},
}};

// '#' icon colour, '.' outline, ' ' transparent.
constexpr const char* kBookmark[] = {
    "........", ".######.", ".######.", ".######.", ".######.", ".######.",
    ".######.", ".######.", ".##..##.", ".#.  .#.", "..    ..",
};
constexpr const char* kReadmark[] = {
    "         ..", "        .#.", "       .##.", "..    .##. ", ".#.  .##.  ",
    ".##..##.   ", " .####.    ", "  .##.     ", "   ..      ",
};
constexpr COLORREF kBookmarkColour = RGB(200, 30, 30);
constexpr COLORREF kReadmarkColour = RGB(20, 140, 40);
constexpr COLORREF kOutline = RGB(0, 0, 0);
constexpr int kBandHeight = 18;

template <size_t N>
void Paint(const char* const (&rows)[N], COLORREF colour, Bitmap& picture, Bitmap& mask) {
  const int h = static_cast<int>(N);
  int w = 0;
  for (const char* row : rows) w = std::max<int>(w, static_cast<int>(std::char_traits<char>::length(row)));
  picture.Create(w, h);
  mask.Create(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; rows[y][x] != '\0'; ++x) {
      const char c = rows[y][x];
      if (c == ' ') continue;
      picture.SetPixel(x, y, c == '#' ? colour : kOutline);
      mask.SetPixel(x, y, RGB(255, 255, 255));
    }
  }
}

// The pane's background: light at the top edge, a dark line above it.
Bitmap Band() {
  Bitmap band(16, kBandHeight);
  for (int y = 0; y < kBandHeight; ++y) {
    const BYTE level = y == 0 ? 0x80 : static_cast<BYTE>(0xF0 - y * 2);
    for (int x = 0; x < band.Width(); ++x) band.SetPixel(x, y, RGB(level, level, level));
  }
  return band;
}

}  // namespace

void CStatusBitmaps::Load() {
  ids_.clear();
  bitmaps_.clear();
  sizes_.clear();
  for (const NamedId& entry : kBitmapIds) ids_[entry.name] = entry.id;

  std::map<std::string, Bitmap> upright;
  upright["StatusBitmap"] = Band();
  Paint(kBookmark, kBookmarkColour, upright["StatusBookmark"], upright["StatusBookmarki"]);
  Paint(kReadmark, kReadmarkColour, upright["StatusReadmark"], upright["StatusReadmarki"]);

  for (const NamedId& entry : kBitmapIds) {
    const std::string name = entry.name;
    const size_t digits = name.find_first_of("0123456789");
    const std::string base = name.substr(0, digits);
    const int angle = digits == std::string::npos ? 0 : std::stoi(name.substr(digits));
    Bitmap& out = bitmaps_[name];
    // The turned forms are turned the other way, so that after the frame's
    // turn to the screen they look upright.
    TurnFrame(upright[base], angle == 90 ? 3 : angle == 180 ? 2 : angle == 270 ? 1 : 0, out);
    sizes_[name] = SIZE{out.Width(), out.Height()};
  }
}

const Bitmap& CStatusBitmaps::Get(const std::string& name) const {
  auto it = bitmaps_.find(name);
  return it == bitmaps_.end() ? empty_ : it->second;
}

SIZE CStatusBitmaps::GetSize(const std::string& name) const {
  auto it = sizes_.find(name);
  return it == sizes_.end() ? SIZE{0, 0} : it->second;
}

UINT CStatusBitmaps::GetId(const std::string& name) const {
  auto it = ids_.find(name);
  return it == ids_.end() ? 0 : it->second;
}
