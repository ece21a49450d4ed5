#include "reader/settings_sheet/color_schemes.h"

#include "foundation/string_utils.h"
#include "reader/settings_store.h"

ColorScheme DefaultColorScheme() { return ColorScheme{"Default", 0xFFFFFF, 0x000000}; }

std::vector<ColorScheme> ParseColorSchemes(const std::string& text) {
  std::vector<ColorScheme> schemes;
  std::vector<std::string> pieces;
  std::vector<std::string> fields;
  SplitByChar(text, pieces, kSchemeSeparator);
  for (const std::string& piece : pieces) {
    SplitByChar(piece, fields, kSchemeFieldSeparator);
    if (fields.size() != 3) continue;
    schemes.push_back({fields[0], static_cast<COLORREF>(SettingsAtoi(fields[1])),
                       static_cast<COLORREF>(SettingsAtoi(fields[2]))});
  }
  return schemes;
}

std::string FormatColorSchemes(const std::vector<ColorScheme>& schemes) {
  std::string text;
  for (const ColorScheme& scheme : schemes) {
    if (!text.empty()) text.push_back(kSchemeSeparator);
    text += scheme.name;
    text.push_back(kSchemeFieldSeparator);
    text += std::to_string(scheme.background);
    text.push_back(kSchemeFieldSeparator);
    text += std::to_string(scheme.text);
  }
  return text;
}

std::string StorableSchemeName(const std::string& name) {
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = name.find_last_not_of(" \t");
  std::string trimmed = name.substr(first, last - first + 1);
  if (trimmed.find_first_of(std::string("\x01\x02=\r\n\0", 6)) != std::string::npos) return {};
  return trimmed;
}
