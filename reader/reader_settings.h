// The main window's settings and their defaults, and their reading from and
// writing to the program settings file.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/window/window_types.h"
#include "reader/settings_store.h"

// Hot-key ids 0..20; id 0 is never bound.
constexpr size_t kHotKeyCount = 21;
// Recent documents kept, most recent first.
constexpr size_t kRecentDocumentsMax = 10;

enum PagesMode : INT { kPagesNone = 0, kPagesDigits = 1, kPagesPercent = 2 };

struct ReaderSettings {
  COLORREF textColor = 0x000000;
  COLORREF backColor = 0xFFFFFF;
  std::string colorPreset = "Default";
  std::string colorPresets;

  // The text font's description; fontFromSettings tells whether the `Font`
  // setting replaced the stock font.
  LOGFONTW textFont{};
  bool fontFromSettings = false;

  std::array<std::string, kHotKeyCount> actions{};

  bool hyphenate = true;
  bool justify = true;
  bool smartParagraphs = true;
  bool fourthTextFlag = false;

  INT orientation = 0;
  bool paneShown = true;
  bool progressBar = true;
  bool showTime = true;
  bool showBattery = true;
  INT pagesMode = kPagesDigits;

  std::string findText;
  bool findBackward = false;
  bool matchCase = false;

  bool toolbar = false;
  bool fullScreen = false;

  // The `File` setting: the last open document.
  std::u16string lastFile;
  std::vector<std::u16string> recentFiles;

  bool useTts = false;
  std::string voice;
  signed char rate = 0;
  signed char pitch = 0;
  unsigned char volume = 10;

  INT codePage = 1;
};

// Reads the keys that do not involve the speech engine, in the main
// window's order: colours, presets, `File`, `Font`, `Buttons`, `TextParams`,
// `StatusParams`, `TextOrientation`, `Find`, `Toolbar`, `MRU`. A value of the
// wrong shape leaves the field as it was.
void ReadDisplaySettings(const CSettingsStore& store, ReaderSettings& settings);
// `Rate`, `Pitch`, `Volume`.
void ReadSpeechValues(const CSettingsStore& store, ReaderSettings& settings);
// `CodePage`; an unknown name leaves the setting unchanged.
void ReadCodePage(const CSettingsStore& store, ReaderSettings& settings);

// Sets every key in the save order. `File` only when documentPath is not
// empty. Paths are kept whole (CSettingsStore::StorablePath). Any other
// value that could not be read back as written (a face name with a comma,
// a search text with the byte 0x01, text without a Windows-1251 form) is
// left out so that it cannot spoil the other items. False when the
// document's path could not be kept (a line too long to read back).
bool WriteSettings(const ReaderSettings& settings, const std::u16string& documentPath,
                   CSettingsStore& store);

// The single value forms, shared with the settings sheet.
std::string FormatFont(const LOGFONTW& font);
bool ParseFont(const std::string& value, const LOGFONTW& base, LOGFONTW& out);
std::string FormatButtons(const std::array<std::string, kHotKeyCount>& actions);
std::string FormatTextParams(const ReaderSettings& settings);
std::string FormatStatusParams(const ReaderSettings& settings);
std::string FormatFind(const ReaderSettings& settings);
std::string FormatRecentFiles(const std::vector<std::u16string>& files);

// The file-name part after the last '\\' or '/', or "Parlen 2" when the
// path has no separator.
std::u16string TitleForPath(const std::u16string& path);
