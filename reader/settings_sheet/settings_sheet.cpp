#include "reader/settings_sheet/settings_sheet.h"

#include "platform/message_box.h"
#include "reader/speech/engine_setup.h"

namespace {

void TakeValues(const CVoicePage& page, ReaderSettings& settings) {
  settings.rate = page.rate;
  settings.pitch = page.pitch;
  settings.volume = page.volume;
}

}  // namespace

CSettingsSheet::CSettingsSheet(VoiceServices services, HWND parent)
    : sheet_(u"Settings", parent), voice_(std::move(services)) {
  sheet_.AddPage(&voice_);
  sheet_.AddPage(&misc_);
  sheet_.AddPage(&font_);
  sheet_.AddPage(&colors_);
  sheet_.AddPage(&buttons_);
}

void CSettingsSheet::Fill(const ReaderSettings& settings) {
  voice_.useSpeech = settings.useTts;
  voice_.rate = settings.rate;
  voice_.pitch = settings.pitch;
  voice_.voice = settings.voice;
  voice_.volume = settings.volume;
  misc_.params = GetMiscParams(settings);
  font_.font = settings.textFont;
  colors_.backColor = settings.backColor;
  colors_.textColor = settings.textColor;
  colors_.presetName = settings.colorPreset;
  colors_.presets = settings.colorPresets;
  for (size_t i = 0; i < buttons_.actions.size() && i < settings.actions.size(); ++i)
    buttons_.actions[i] = settings.actions[i];
}

void CSettingsSheet::TakeBack(ReaderSettings& settings) const {
  for (size_t i = 0; i < buttons_.actions.size() && i < settings.actions.size(); ++i)
    settings.actions[i] = buttons_.actions[i];
  settings.backColor = colors_.backColor;
  settings.textColor = colors_.textColor;
  settings.colorPreset = colors_.presetName;
  settings.colorPresets = colors_.presets;
  SetMiscParams(misc_.params, settings);
  settings.textFont = font_.font;
}

bool ApplySpeechSettings(const CVoicePage& page, const VoiceServices& services, HWND window,
                         DWORD cookie, ReaderSettings& settings, ComPtr<ITTSEngine>& engine) {
  if (!page.useSpeech) {
    engine.Reset();
    settings.useTts = false;
    TakeValues(page, settings);
    settings.voice = page.voice;
    return true;
  }
  if (!engine) {
    if (!services.createEngine || FAILED(services.createEngine(engine.Receive())) || !engine) {
      engine.Reset();
      MessageBoxW(nullptr, u"Can't create TTS!!!", nullptr, MB_OK | MB_ICONSTOP);
      return false;
    }
    // The sheet goes on whatever the engine answers.
    ConnectEngineEvents(*engine, window, cookie);
    settings.useTts = true;
    settings.voice = page.voice;
    engine->SetVoice(settings.voice.c_str());
  } else {
    if (page.voice != settings.voice) {
      settings.voice = page.voice;
      engine->SetVoice(settings.voice.c_str());
    }
    settings.useTts = true;
  }
  TakeValues(page, settings);
  ApplyEngineValues(*engine, settings.rate, settings.pitch, settings.volume);
  return true;
}
