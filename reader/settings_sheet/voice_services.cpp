#include "reader/settings_sheet/voice_services.h"

#include "engine/voices/voice_registry.h"

namespace {

// In-process, in-process handler, local and remote server.
constexpr DWORD kEngineClassContext = 0x17;

}  // namespace

VoiceServices DefaultVoiceServices() {
  VoiceServices services;
  services.createEngine = [](ITTSEngine** engine) {
    return CoCreateInstance(CLSID_TTSEngine, nullptr, kEngineClassContext, IID_ITTSEngine,
                            reinterpret_cast<void**>(engine));
  };
  services.listVoices = [] {
    std::vector<std::string> names;
    GetVoiceNames(names);
    return names;
  };
  services.voiceLang = [](const std::string& voice) { return GetVoiceLang(voice); };
  return services;
}
