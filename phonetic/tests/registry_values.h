// The registry values that name the Russian rule base, set and removed by
// the tests in their own registry file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/registry.h"
#include "platform/server.h"

inline constexpr const char16_t* kRussianKey = u"SOFTWARE\\Morvane\\Russian";

// A test run by hand, outside CTest, keeps to a registry file of its own
// instead of the user's.
inline void UseTestRegistry() {
  const char* named = std::getenv("PARLEN_REGISTRY");
  if (named != nullptr && *named != '\0') return;
  const std::string path = (std::filesystem::temp_directory_path() / "tonvar-tests.reg").string();
  setenv("PARLEN_REGISTRY", path.c_str(), 1);
}

inline void SetRussianValue(const char16_t* name, const std::u16string& value) {
  WriteRegistryString(HKEY_LOCAL_MACHINE, kRussianKey, name, value);
}

inline void RemoveRussianValues() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRussianKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, u"Root");
  RegDeleteValueW(key, u"PhTableRusPath");
  RegCloseKey(key);
}
