#include "tools/data_registry.h"

#include "interfaces/runemap.h"
#include "platform/com.h"
#include "platform/registry.h"

namespace {

constexpr const char16_t* kRussianKey = u"SOFTWARE\\Morvane\\Russian";
constexpr const char16_t* kModuleKey = u"Software\\Morvane\\Glossel Module\\419";

class Key {
 public:
  explicit Key(const char16_t* path)
      : result_(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &key_, nullptr)) {}
  ~Key() {
    if (result_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  LONG Result() const { return result_; }

  LONG SetString(const char16_t* name, const std::u16string& value) {
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
    return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          size);
  }

  LONG SetDwordUnlessPresent(const char16_t* name, DWORD value) {
    DWORD type = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
        type == REG_DWORD)
      return ERROR_SUCCESS;
    return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
  }

 private:
  HKEY key_ = nullptr;
  LONG result_;
};

// The server joins Root and the file name with "\" where Root lacks a
// separator; the reader takes one path, given here with "/" so that it
// names the same file.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name) {
  if (folder.empty() || folder.back() == u'/' || folder.back() == u'\\') return folder + name;
  return folder + u"/" + name;
}

}  // namespace

LONG InstallRussianDataRegistry(const RussianDataNames& names) {
  Key russian(kRussianKey);
  if (russian.Result() != ERROR_SUCCESS) return russian.Result();
  const std::pair<const char16_t*, std::u16string> values[] = {
      {u"Root", names.root},
      {u"NewStressBase", names.stressBase},
      {u"UserStressBase", names.userStressBase},
      {u"StringResources", names.stringResources},
      {u"MaskBases", names.maskBases},
      {u"Runemap", GuidToString(CLSID_RunemapRusSimpleSm)},
  };
  for (const auto& [name, value] : values) {
    if (const LONG result = russian.SetString(name, value); result != ERROR_SUCCESS) return result;
  }

  Key module(kModuleKey);
  if (module.Result() != ERROR_SUCCESS) return module.Result();
  if (const LONG result =
          module.SetString(u"UserStressBase", JoinPath(names.root, names.userStressBase));
      result != ERROR_SUCCESS)
    return result;
  return module.SetDwordUnlessPresent(u"UserStressBaseGeneration", 0);
}
