#include "foundation/registry_string.h"

#include <cstring>
#include <vector>

#include "foundation/code_pages.h"

namespace {

// Widens the text from a Windows code page number; false for a code page
// that is not known here.
bool WidenFrom(UINT codePage, const std::string& text, std::u16string& out) {
  int32_t table = -1;
  switch (codePage) {
    case 65001:
      Utf8ToWide(text, out, u'\xFFFD');
      return true;
    case 0:
    case 1251: table = kTableWin; break;
    case 866: table = kTableDos; break;
    case 20866: table = kTableKoi8r; break;
    case 28595: table = kTableIso; break;
    default: return false;
  }
  const CodePageTable& forward = *CodePageConverter::ForwardTable(table);
  out.clear();
  out.reserve(text.size());
  for (const char c : text) out.push_back(static_cast<char16_t>(forward[static_cast<unsigned char>(c)]));
  return true;
}

// Queries the value's size, then its data into a buffer of that size.
// False when either query fails.
bool QueryValueData(HKEY key, const std::u16string& name, std::vector<BYTE>& data) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return false;
  data.assign(size, 0);
  if (size == 0) return true;
  DWORD read = size;
  if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, data.data(), &read) != ERROR_SUCCESS)
    return false;
  if (read < size) data.resize(read);
  return true;
}

}  // namespace

bool ReadRegistryString(std::string& out, HKEY root, const std::string& keyPath,
                        const std::string& valueName) {
  out.clear();
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, NarrowToWide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  std::vector<BYTE> data;
  const bool read = QueryValueData(key, NarrowToWide(valueName), data);
  RegCloseKey(key);
  if (!read) return false;

  // The data is taken as UTF-16 up to its first NUL, never past its size.
  std::u16string text(data.size() / sizeof(char16_t), u'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
  const size_t end = text.find(u'\0');
  if (end != std::u16string::npos) text.resize(end);
  out = WideToNarrow(text);
  return true;
}

char16_t* AnsiToWideBuffer(char16_t* buffer, const char* text, INT bufferChars, UINT codePage) {
  if (!buffer || bufferChars <= 0) return buffer;
  buffer[0] = u'\0';
  std::u16string wide;
  if (!text || !WidenFrom(codePage, text, wide)) return buffer;
  if (wide.size() >= static_cast<size_t>(bufferChars)) return buffer;
  std::memcpy(buffer, wide.data(), wide.size() * sizeof(char16_t));
  buffer[wide.size()] = u'\0';
  return buffer;
}
