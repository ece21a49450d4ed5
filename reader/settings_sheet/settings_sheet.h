// The Settings command's sheet: five pages filled from the main window's
// settings, and on OK everything taken back and the speech engine created,
// reconfigured or released to match the voice page.
#pragma once

#include "reader/com_ptr.h"
#include "reader/reader_settings.h"
#include "reader/settings_sheet/buttons_page.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/choose_font_page.h"
#include "reader/settings_sheet/colors_page.h"
#include "reader/settings_sheet/misc_page.h"
#include "reader/settings_sheet/voice_page.h"

class CSettingsSheet {
 public:
  explicit CSettingsSheet(VoiceServices services = DefaultVoiceServices(), HWND parent = nullptr);

  // Copies the settings (the text font's description included) into the pages.
  void Fill(const ReaderSettings& settings);
  // IDOK or IDCANCEL.
  int DoModal() { return sheet_.DoModal(); }
  // After OK: the action table, colours, preset strings, the text-view
  // parameters and the font's description. Speech is ApplySpeechSettings'.
  void TakeBack(ReaderSettings& settings) const;

  CCePropertySheet& Sheet() { return sheet_; }
  CVoicePage& VoicePage() { return voice_; }
  CMiscPage& MiscPage() { return misc_; }
  CChooseFontPage& FontPage() { return font_; }
  CColorsPage& ColorsPage() { return colors_; }
  CButtonsPage& ButtonsPage() { return buttons_; }

 private:
  CCePropertySheet sheet_;
  CVoicePage voice_;
  CMiscPage misc_;
  CChooseFontPage font_;
  CColorsPage colors_;
  CButtonsPage buttons_;
};

// The voice page's choice applied to the main window's engine: off releases
// it; on without an engine creates one (false with "Can't create TTS!!!"
// when that fails) and connects its events to the window; on with an engine
// sets the voice only when it changed. Rate, range, pitch and volume are set
// again in every case but off.
bool ApplySpeechSettings(const CVoicePage& page, const VoiceServices& services, HWND window,
                         DWORD cookie, ReaderSettings& settings, ComPtr<ITTSEngine>& engine);
