// Fonts drawn with FreeType, found with fontconfig by face name. Characters
// the face lacks are drawn with a fallback face that has Cyrillic (DejaVu
// Sans), so every Windows-1251 character has a glyph.
#pragma once

#include "platform/window/window_types.h"

#include <memory>
#include <string>
#include <vector>

class Font;
using FontPtr = std::shared_ptr<const Font>;

// The face name of a description as UTF-16 (up to the first NUL).
std::u16string FaceName(const LOGFONTW& description);
// Copies up to 31 characters and the NUL.
void SetFaceName(LOGFONTW* description, const std::u16string& face);

// The stock system font's description ("Tahoma", 16 pixels, normal weight).
LOGFONTW GetStockFontDescription();

// The font families the system offers, sorted and without duplicates.
std::vector<std::u16string> EnumFontFamilies();

class Font {
 public:
  // Never fails while any font is installed: an unknown face falls back.
  // Null only when not even the fallback face can be loaded.
  static FontPtr Create(const LOGFONTW& description);
  static FontPtr Stock() { return Create(GetStockFontDescription()); }

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // The description it was created from (GetObject).
  const LOGFONTW& Description() const { return description_; }
  const TEXTMETRICW& Metrics() const { return metrics_; }
  // The file of the face actually used (for diagnostics and tests).
  const std::string& FilePath() const;

  // Advance of one character in whole pixels (its fine advance rounded).
  int CharWidth(char16_t c) const;
  // The advance of each of the 256 Windows-1251 bytes; byte 0 is 0.
  void CharWidths1251(int widths[256]) const;
  // The sum of the fine advances, rounded once.
  int TextWidth(std::u16string_view text) const;

  struct Glyph;
  // The rendered glyph of a character (cached).
  const Glyph& GetGlyph(char16_t c) const;

 private:
  struct Impl;
  Font(const LOGFONTW& description, std::unique_ptr<Impl> impl);
  LOGFONTW description_;
  TEXTMETRICW metrics_;
  std::unique_ptr<Impl> impl_;
};

// A rendered glyph: coverage 0-255 per pixel (0 or 255 without smoothing:
// NONANTIALIASED_QUALITY; every other quality is smoothed),
// placed relative to the pen on the baseline.
struct Font::Glyph {
  int advance = 0;       // whole pixels
  int fine_advance = 0;  // 1/64 pixels: text is placed by these, summed
  int left = 0;  // pen x to the first column
  int top = 0;   // baseline up to the first row
  int width = 0;
  int height = 0;
  std::vector<BYTE> coverage;  // width x height, top row first
};
