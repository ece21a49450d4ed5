#include "reader/reader_settings.h"

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/window/font.h"

namespace {

bool RoundTrips(const std::u16string& text) { return NarrowToWide(WideToNarrow(text)) == text; }

// A list item survives the file when it holds no separator of its own list
// and reads back as itself.
bool IsStorableItem(const std::string& item, char separator) {
  return item.find(separator) == std::string::npos && CSettingsStore::IsStorableValue(item);
}

bool Flag(char c) { return c == '1'; }
char FlagChar(bool on) { return on ? '1' : '0'; }

}  // namespace

std::string FormatFont(const LOGFONTW& font) {
  std::string value = IntToString(font.lfHeight);
  value += ',';
  value += FlagChar(font.lfItalic != 0);
  value += ',';
  value += FlagChar(font.lfWeight == FW_BOLD);
  value += ',';
  value += FlagChar(font.lfUnderline != 0);
  value += ',';
  value += FlagChar(font.lfQuality != 0);
  value += ',';
  value += WideToNarrow(FaceName(font));
  return value;
}

bool ParseFont(const std::string& value, const LOGFONTW& base, LOGFONTW& out) {
  std::vector<std::string> pieces;
  SplitByChar(value, pieces, ',');
  if (pieces.size() != 6) return false;
  out = base;
  out.lfHeight = SettingsAtoi(pieces[0]);
  out.lfItalic = pieces[1] == "1" ? 1 : 0;
  out.lfWeight = pieces[2] == "1" ? FW_BOLD : FW_NORMAL;
  out.lfUnderline = pieces[3] == "1" ? 1 : 0;
  out.lfQuality = pieces[4] == "1" ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  SetFaceName(&out, NarrowToWide(pieces[5]));
  return true;
}

std::string FormatButtons(const std::array<std::string, kHotKeyCount>& actions) {
  std::string value;
  for (const std::string& action : actions) {
    value += action.empty() ? "0" : action;
    value += ',';
  }
  return value;
}

std::string FormatTextParams(const ReaderSettings& s) {
  return {FlagChar(s.hyphenate), FlagChar(s.justify), FlagChar(s.smartParagraphs),
          FlagChar(s.fourthTextFlag)};
}

std::string FormatStatusParams(const ReaderSettings& s) {
  return {FlagChar(s.paneShown), FlagChar(s.progressBar), FlagChar(s.showTime),
          static_cast<char>('0' + s.pagesMode), FlagChar(s.showBattery)};
}

std::string FormatFind(const ReaderSettings& s) {
  std::string value = s.findText;
  value += '\x01';
  value += FlagChar(s.findBackward);
  value += '\x01';
  value += FlagChar(s.matchCase);
  return value;
}

std::string FormatRecentFiles(const std::vector<std::u16string>& files) {
  std::string value;
  for (const std::u16string& file : files) {
    const std::string stored = CSettingsStore::StorablePath(file);
    // The oldest entries give way when the line would be too long to read
    // back.
    if (value.size() + stored.size() + 1 + sizeof("MRU=") >= CSettingsStore::kLongestLine) break;
    value += stored;
    value += ';';
  }
  return value;
}

std::u16string TitleForPath(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return u"Parlen 2";
  return path.substr(slash + 1);
}

void ReadDisplaySettings(const CSettingsStore& store, ReaderSettings& s) {
  INT number = 0;
  std::string text;
  std::vector<std::string> pieces;
  if (store.GetInt("BackColor", number)) s.backColor = static_cast<COLORREF>(number) & 0xFFFFFF;
  if (store.GetInt("TextColor", number)) s.textColor = static_cast<COLORREF>(number) & 0xFFFFFF;
  if (store.GetString("ColorPreset", text)) s.colorPreset = text;
  if (store.GetString("ColorPresets", text)) s.colorPresets = text;
  std::u16string wide;
  if (store.GetPath("File", wide)) s.lastFile = wide;

  if (store.GetString("Font", text)) {
    LOGFONTW font;
    if (ParseFont(text, GetStockFontDescription(), font)) {
      s.textFont = font;
      s.fontFromSettings = true;
    }
  }
  if (store.GetString("Buttons", text)) {
    SplitByChar(text, pieces, ',');
    if (pieces.size() == kHotKeyCount) {
      for (size_t i = 0; i < kHotKeyCount; ++i) s.actions[i] = pieces[i] == "0" ? "" : pieces[i];
    }
  }
  if (store.GetString("TextParams", text) && text.size() == 4) {
    s.hyphenate = Flag(text[0]);
    s.justify = Flag(text[1]);
    s.smartParagraphs = Flag(text[2]);
    s.fourthTextFlag = Flag(text[3]);
  }
  if (store.GetString("StatusParams", text) && text.size() == 5) {
    s.paneShown = Flag(text[0]);
    s.progressBar = Flag(text[1]);
    s.showTime = Flag(text[2]);
    if (text[3] >= '0' && text[3] <= '2') s.pagesMode = text[3] - '0';
    s.showBattery = Flag(text[4]);
  }
  if (store.GetInt("TextOrientation", number) && number >= 0 && number <= 3) s.orientation = number;
  if (store.GetString("Find", text)) {
    SplitByChar(text, pieces, '\x01');
    if (pieces.size() == 3) {
      s.findText = pieces[0];
      s.findBackward = pieces[1] == "1";
      s.matchCase = pieces[2] == "1";
    }
  }
  bool flag = false;
  if (store.GetBool("Toolbar", flag)) s.toolbar = flag;
  if (store.GetString("MRU", text)) {
    s.recentFiles.clear();
    SplitByChar(text, pieces, ';');
    for (const std::string& piece : pieces) {
      if (s.recentFiles.size() == kRecentDocumentsMax) break;
      s.recentFiles.push_back(CSettingsStore::PathFromStored(piece));
    }
  }
}

void ReadSpeechValues(const CSettingsStore& store, ReaderSettings& s) {
  INT number = 0;
  if (store.GetInt("Rate", number)) s.rate = static_cast<signed char>(number);
  if (store.GetInt("Pitch", number)) s.pitch = static_cast<signed char>(number);
  if (store.GetInt("Volume", number)) s.volume = static_cast<unsigned char>(number);
}

void ReadCodePage(const CSettingsStore& store, ReaderSettings& s) {
  std::string text;
  if (!store.GetString("CodePage", text)) return;
  const int32_t index = CodePageFromName(text);
  if (index >= kCodePageAuto && index <= kCodePageIso) s.codePage = index;
}

bool WriteSettings(const ReaderSettings& s, const std::u16string& documentPath,
                   CSettingsStore& store) {
  const bool pathKept = documentPath.empty() || store.SetPath("File", documentPath);
  store.SetInt("BackColor", static_cast<INT>(s.backColor));
  store.SetInt("TextColor", static_cast<INT>(s.textColor));
  store.SetString("ColorPreset", s.colorPreset);
  store.SetString("ColorPresets", s.colorPresets);
  const std::u16string face = FaceName(s.textFont);
  if (RoundTrips(face) && IsStorableItem(WideToNarrow(face), ','))
    store.SetString("Font", FormatFont(s.textFont));
  store.SetString("Buttons", FormatButtons(s.actions));
  store.SetString("TextParams", FormatTextParams(s));
  store.SetString("StatusParams", FormatStatusParams(s));
  store.SetInt("TextOrientation", s.orientation);
  if (s.findText.empty() || IsStorableItem(s.findText, '\x01')) store.SetString("Find", FormatFind(s));
  store.SetBool("Toolbar", s.toolbar);
  store.SetBool("Full-screen", s.fullScreen);
  store.SetString("MRU", FormatRecentFiles(s.recentFiles));
  store.SetBool("UseTTS", s.useTts);
  store.SetString("Voice", s.voice);
  store.SetInt("Rate", s.rate);
  store.SetInt("Pitch", s.pitch);
  store.SetInt("Volume", s.volume);
  store.SetString("CodePage", CodePageNameNarrow(s.codePage));
  return pathKept;
}
