#include "reader/engine_startup.h"

#include <algorithm>
#include <utility>

#include "platform/message_box.h"
#include "reader/settings_sheet/voice_services.h"
#include "reader/speech/engine_setup.h"

namespace {

void ShowError(const char16_t* text) { MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONSTOP); }

}  // namespace

EngineServices DefaultEngineServices() {
  // The same installed system the voice page uses.
  VoiceServices voices = DefaultVoiceServices();
  EngineServices services;
  services.create = std::move(voices.createEngine);
  services.listVoices = std::move(voices.listVoices);
  return services;
}

void CreateEngineWithVoice(const EngineServices& services, const std::string* storedVoice,
                           ComPtr<ITTSEngine>& engine, std::string& voice) {
  engine.Reset();
  if (FAILED(services.create(engine.Receive())) || !engine) {
    engine.Reset();
    ShowError(u"Error: Morvane TTS can not be created!");
    return;
  }
  const std::vector<std::string> voices = services.listVoices();
  if (voices.empty()) {
    ShowError(u"Error: no Morvane TTS voices are installed!");
    engine.Reset();
    return;
  }
  std::string chosen = voices.front();
  if (storedVoice != nullptr) {
    if (std::find(voices.begin(), voices.end(), *storedVoice) != voices.end()) {
      chosen = *storedVoice;
    } else {
      ShowError(u"Error: can't find last used voice. Use first instead.");
    }
  }
  if (FAILED(engine->SetVoice(chosen.c_str()))) {
    ShowError(u"Error: can't set TTS voice. TTS feature will be disabled");
    engine.Reset();
    return;
  }
  voice = chosen;
}

bool ConnectEngineOrTell(ITTSEngine& engine, HWND window, DWORD cookie) {
  switch (ConnectEngineEvents(engine, window, cookie)) {
    case EngineEventsResult::kConnected: return true;
    case EngineEventsResult::kMaskFailed: ShowError(u"Error: can't set TTS events!!!"); return false;
    case EngineEventsResult::kWindowFailed: ShowError(u"Error: can't set TTS callback!!!"); return false;
  }
  return false;
}
