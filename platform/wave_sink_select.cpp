// Which sink a wave-out device plays through.
#include "platform/wave_sink.h"

#include "platform/registry.h"
#include "platform/unicode.h"

#include <cstdlib>
#include <vector>

namespace platform::wave {
namespace {

bool EnvFlag(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && v[0] != 0 && std::string(v) != "0";
}

// HKEY_LOCAL_MACHINE\Software\Morvane\Audio "Sink", or "" when absent.
std::string RegistrySetting() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Audio", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return {};
  std::string text;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, u"Sink", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(WCHAR)) {
    std::vector<WCHAR> data(size / sizeof(WCHAR) + 1, 0);
    if (RegQueryValueExW(key, u"Sink", nullptr, &type, reinterpret_cast<LPBYTE>(data.data()),
                         &size) == ERROR_SUCCESS)
      text = ::Utf16ToUtf8(std::u16string(data.data()));
  }
  RegCloseKey(key);
  return text;
}

}  // namespace

bool ParseSinkSetting(const std::string& text, SinkChoice* choice) {
  choice->path.clear();
  if (text.empty() || text == "auto") {
    choice->kind = SinkKind::Automatic;
  } else if (text == "alsa") {
    choice->kind = SinkKind::Alsa;
  } else if (text == "null") {
    choice->kind = SinkKind::Null;
  } else if (text.rfind("file:", 0) == 0 && text.size() > 5) {
    choice->kind = SinkKind::File;
    choice->path = text.substr(5);
  } else {
    return false;
  }
  return true;
}

bool ChooseSink(SinkChoice* choice) {
  choice->fast = EnvFlag("PARLEN_AUDIO_FAST");
  const char* env = std::getenv("PARLEN_AUDIO");
  return ParseSinkSetting(env != nullptr ? std::string(env) : RegistrySetting(), choice);
}

std::unique_ptr<Sink> OpenSink(const SinkChoice& choice, const WAVEFORMATEX& format,
                               MMRESULT* error) {
  switch (choice.kind) {
    case SinkKind::Alsa:
      return OpenAlsaSink(format, error);
    case SinkKind::Null:
      return OpenNullSink(format, choice.fast);
    case SinkKind::File:
      return OpenFileSink(choice.path, format, choice.fast, error);
    case SinkKind::Automatic:
      break;
  }
  MMRESULT ignored = MMSYSERR_NOERROR;
  if (auto alsa = OpenAlsaSink(format, &ignored)) return alsa;
  return OpenNullSink(format, choice.fast);
}

}  // namespace platform::wave
