#include "platform/registry_text.h"

#include <vector>

bool ReadRegistryText(HKEY root, std::u16string_view keyPath, const char16_t* valueName, std::u16string* text) {
  HKEY key;
  std::u16string path(keyPath);
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG error = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size);
  if (error == ERROR_SUCCESS && size != 0) error = RegQueryValueExW(key, valueName, nullptr, &type, data.data(), &size);
  RegCloseKey(key);
  if (error != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  text->clear();
  for (size_t i = 0; i + 1 < size; i += 2) {
    auto c = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (c == u'\0') break;
    *text += c;
  }
  return true;
}
