#include "engine/voices/voice_registry.h"

#include "foundation/code_pages.h"
#include "platform/registry.h"

namespace {

constexpr char16_t kVoicesKey[] = u"Software\\Morvane\\Voices";
constexpr char16_t kLanguagesKey[] = u"Software\\Morvane\\Glossel Module";
constexpr DWORD kNameChars = 1024;
constexpr DWORD kValueBytes = 1024;

// Closes the key on every path out.
class OpenKey {
 public:
  explicit OpenKey(const std::u16string& path) {
    status_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key_);
  }
  ~OpenKey() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  LONG Status() const { return status_; }
  HKEY Get() const { return key_; }
  LONG Close() {
    if (status_ != ERROR_SUCCESS) return status_;
    status_ = ERROR_INVALID_HANDLE;
    return RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  LONG status_ = ERROR_INVALID_HANDLE;
};

// The value's text up to its first NUL; false when the key or the value
// cannot be read.
bool ReadValue(const std::u16string& keyPath, const char16_t* valueName, std::u16string& text) {
  OpenKey key(keyPath);
  if (key.Status() != ERROR_SUCCESS) return false;
  char16_t buffer[kValueBytes / sizeof(char16_t) + 1] = {};
  DWORD size = kValueBytes;
  LONG status = RegQueryValueExW(key.Get(), valueName, nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(buffer), &size);
  if (status != ERROR_SUCCESS) return false;
  text.assign(buffer);
  return true;
}

std::string VoiceValue(const std::string& voiceName, const char16_t* valueName) {
  std::u16string path = std::u16string(kVoicesKey) + u"\\" + NarrowToWide(voiceName);
  std::u16string text;
  if (!ReadValue(path, valueName, text)) return {};
  return WideToNarrow(text);
}

}  // namespace

LONG GetVoiceNames(std::vector<std::string>& names) {
  names.clear();
  OpenKey key(kVoicesKey);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  for (DWORD index = 0;; ++index) {
    char16_t name[kNameChars + 1] = {};
    DWORD chars = kNameChars;
    if (RegEnumKeyExW(key.Get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (name[0] != u'\0') names.push_back(WideToNarrow(std::u16string(name)));
  }
  return key.Close();
}

std::string GetVoicePath(const std::string& voiceName) { return VoiceValue(voiceName, u"Path"); }

std::string GetVoiceLang(const std::string& voiceName) { return VoiceValue(voiceName, u"Lang"); }

CLSID GetLanguageClsid(const std::string& lang) {
  std::u16string path = std::u16string(kLanguagesKey) + u"\\" + NarrowToWide(lang);
  std::u16string text;
  if (!ReadValue(path, u"CLSID", text)) return GUID_NULL;
  CLSID clsid{};
  if (FAILED(CLSIDFromString(text.c_str(), &clsid))) return GUID_NULL;
  return clsid;
}
