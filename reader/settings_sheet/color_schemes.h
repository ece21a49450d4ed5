// Named colour schemes and their text form in the `ColorPresets` setting:
// schemes joined by the byte 0x01, each "name 0x02 background 0x02 text"
// with the colours as decimal COLORREF values.
#pragma once

#include <string>
#include <vector>

#include "platform/window/window_types.h"

struct ColorScheme {
  std::string name;  // Windows-1251
  COLORREF background = 0xFFFFFF;
  COLORREF text = 0x000000;
};

constexpr char kSchemeSeparator = '\x01';
constexpr char kSchemeFieldSeparator = '\x02';

// The built-in scheme: black on white.
ColorScheme DefaultColorScheme();

// Pieces that do not give exactly three fields are dropped.
std::vector<ColorScheme> ParseColorSchemes(const std::string& text);
std::string FormatColorSchemes(const std::vector<ColorScheme>& schemes);

// The name as it would be stored: blanks and tabs at its ends removed. Empty
// when the name cannot be stored: nothing left, or a separator byte, "=" or
// a line break inside, any of which would spoil the settings file.
std::string StorableSchemeName(const std::string& name);
