// GUID text forms and ProgID look-up.
#include <cstring>

#include "platform/com.h"
#include "platform/registry_text.h"

namespace {

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool HexField(std::u16string_view s, size_t at, size_t digits, uint32_t* value) {
  uint32_t v = 0;
  for (size_t i = 0; i < digits; ++i) {
    int d = HexValue(s[at + i]);
    if (d < 0) return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
bool ParseBraced(std::u16string_view s, GUID* guid) {
  if (s.size() != 38 || s[0] != u'{' || s[37] != u'}' || s[9] != u'-' || s[14] != u'-' || s[19] != u'-' ||
      s[24] != u'-') {
    return false;
  }
  uint32_t field;
  GUID g{};
  if (!HexField(s, 1, 8, &g.Data1)) return false;
  if (!HexField(s, 10, 4, &field)) return false;
  g.Data2 = static_cast<uint16_t>(field);
  if (!HexField(s, 15, 4, &field)) return false;
  g.Data3 = static_cast<uint16_t>(field);
  const size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (size_t i = 0; i < 8; ++i) {
    if (!HexField(s, byteAt[i], 2, &field)) return false;
    g.Data4[i] = static_cast<uint8_t>(field);
  }
  *guid = g;
  return true;
}

}  // namespace

std::u16string GuidToString(REFGUID guid) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  out.reserve(38);
  auto hex = [&](uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
  };
  out += u'{';
  hex(guid.Data1, 8);
  out += u'-';
  hex(guid.Data2, 4);
  out += u'-';
  hex(guid.Data3, 4);
  out += u'-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) out += u'-';
    hex(guid.Data4[i], 2);
  }
  out += u'}';
  return out;
}

extern "C" {

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
  std::u16string text = GuidToString(rguid);
  if (lpsz == nullptr || cchMax < static_cast<int>(text.size()) + 1) return 0;
  std::memcpy(lpsz, text.c_str(), (text.size() + 1) * sizeof(OLECHAR));
  return static_cast<int>(text.size()) + 1;
}

HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz) {
  if (lplpsz == nullptr) return E_INVALIDARG;
  std::u16string text = GuidToString(rclsid);
  size_t bytes = (text.size() + 1) * sizeof(OLECHAR);
  *lplpsz = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (*lplpsz == nullptr) return E_OUTOFMEMORY;
  std::memcpy(*lplpsz, text.c_str(), bytes);
  return S_OK;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
  if (lpszProgID == nullptr || lpclsid == nullptr) return E_INVALIDARG;
  *lpclsid = CLSID_NULL;
  std::u16string_view progId(lpszProgID);
  std::u16string text;
  if (progId.empty() || progId.find(u'\\') != std::u16string_view::npos ||
      !ReadRegistryText(HKEY_CLASSES_ROOT, std::u16string(progId) + u"\\CLSID", nullptr, &text) ||
      !ParseBraced(text, lpclsid)) {
    return CO_E_CLASSSTRING;
  }
  return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (pclsid == nullptr) return E_INVALIDARG;
  *pclsid = CLSID_NULL;
  if (lpsz == nullptr || lpsz[0] == u'\0') return S_OK;
  if (ParseBraced(lpsz, pclsid)) return S_OK;
  if (lpsz[0] != u'{' && SUCCEEDED(CLSIDFromProgID(lpsz, pclsid))) return S_OK;
  return CO_E_CLASSSTRING;
}

}  // extern "C"
