// The COM runtime of the platform: GUIDs, IUnknown and IClassFactory, BSTR,
// the task allocator and in-process object creation through the registry.
//
// Interfaces are abstract classes with their methods in slot order and no
// virtual destructor. Give each interface its IID with COM_INTERFACE_ID at
// global scope, right after its declaration:
//
//   struct IRunemapLang : IUnknown {
//     virtual HRESULT SetLang(INT Val) = 0;
//   };
//   COM_INTERFACE_ID(IRunemapLang, "13E4F561-D8FA-4242-89FC-BF7CFC0EF554");
//
// That defines the constant IID_IRunemapLang and lets templates find the IID
// from the type (IidOf<IRunemapLang>(), IID_PPV_ARGS, ComObject in server.h).
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "platform/types.h"

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPGUID = GUID*;
using LPCLSID = CLSID*;

constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}

namespace guid_text {
constexpr uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  throw "GUID text: not a hexadecimal digit";
}
constexpr uint32_t HexField(std::string_view s, size_t at, size_t digits) {
  uint32_t v = 0;
  for (size_t i = 0; i < digits; ++i) v = v << 4 | HexDigit(s[at + i]);
  return v;
}
}  // namespace guid_text

// "AAC0577E-969B-4545-BB63-054568E4C600", with or without braces. Evaluated
// by the compiler only, so a malformed text does not compile.
consteval GUID GuidFromText(std::string_view s) {
  if (s.size() == 38) {
    if (s.front() != '{' || s.back() != '}') throw "GUID text: unbalanced braces";
    s = s.substr(1, 36);
  }
  if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') {
    throw "GUID text: expected XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX";
  }
  GUID g{};
  g.Data1 = guid_text::HexField(s, 0, 8);
  g.Data2 = static_cast<uint16_t>(guid_text::HexField(s, 9, 4));
  g.Data3 = static_cast<uint16_t>(guid_text::HexField(s, 14, 4));
  g.Data4[0] = static_cast<uint8_t>(guid_text::HexField(s, 19, 2));
  g.Data4[1] = static_cast<uint8_t>(guid_text::HexField(s, 21, 2));
  for (size_t i = 0; i < 6; ++i) {
    g.Data4[2 + i] = static_cast<uint8_t>(guid_text::HexField(s, 24 + 2 * i, 2));
  }
  return g;
}

inline constexpr GUID GUID_NULL{};
inline constexpr CLSID CLSID_NULL{};
inline constexpr IID IID_NULL{};

// Specialised by COM_INTERFACE_ID; an interface without one has no IID.
template <class Interface>
struct InterfaceTraits;

template <class Interface>
constexpr const IID& IidOf() {
  return InterfaceTraits<std::remove_cv_t<Interface>>::iid;
}

#define COM_INTERFACE_ID(Interface, text)                  \
  template <>                                              \
  struct InterfaceTraits<Interface> {                      \
    static constexpr IID iid = GuidFromText(text);         \
  };                                                       \
  inline constexpr IID IID_##Interface = InterfaceTraits<Interface>::iid

// QueryInterface(IID_PPV_ARGS(&pFoo)) asks for the IID of pFoo's type.
#define IID_PPV_ARGS(pp) \
  IidOf<std::remove_pointer_t<std::remove_reference_t<decltype(*(pp))>>>(), reinterpret_cast<void**>(pp)

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};
COM_INTERFACE_ID(IUnknown, "00000000-0000-0000-C000-000000000046");

struct IClassFactory : IUnknown {
  virtual HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
  virtual HRESULT LockServer(BOOL fLock) = 0;
};
COM_INTERFACE_ID(IClassFactory, "00000001-0000-0000-C000-000000000046");

// Class contexts. Only in-process servers exist here; the other bits are
// accepted so that callers can pass the usual combinations.
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// A BSTR points at UTF-16 text preceded by its length in bytes (32 bits)
// and followed by a NUL; the null BSTR is the empty string.
using BSTR = OLECHAR*;

// The signature of a server's DllGetClassObject export.
using DllGetClassObjectFunc = HRESULT (*)(REFCLSID rclsid, REFIID riid, LPVOID* ppv);

extern "C" {
PLATFORM_API BSTR SysAllocString(const OLECHAR* psz);
// With a null psz the string holds ui NULs.
PLATFORM_API BSTR SysAllocStringLen(const OLECHAR* psz, UINT ui);
PLATFORM_API void SysFreeString(BSTR bstr);
PLATFORM_API UINT SysStringLen(BSTR bstr);
PLATFORM_API UINT SysStringByteLen(BSTR bstr);

PLATFORM_API LPVOID CoTaskMemAlloc(SIZE_T cb);
PLATFORM_API LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
PLATFORM_API void CoTaskMemFree(LPVOID pv);

// Counted per thread; S_FALSE when the thread was already initialised.
// Object creation does not require it.
PLATFORM_API HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
PLATFORM_API void CoUninitialize();

// Finds HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, loads that library
// once per process (it stays loaded) and asks its DllGetClassObject.
// REGDB_E_CLASSNOTREG: no such entry; CO_E_DLLNOTFOUND: the library cannot
// be loaded; CO_E_ERRORINDLL: it has no DllGetClassObject.
PLATFORM_API HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved,
                                      REFIID riid, LPVOID* ppv);
PLATFORM_API HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                      REFIID riid, LPVOID* ppv);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (any case); other text is taken as
// a ProgID. A null or empty string gives CLSID_NULL; a failure gives
// CO_E_CLASSSTRING and CLSID_NULL.
PLATFORM_API HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
// Reads HKEY_CLASSES_ROOT\<ProgID>\CLSID.
PLATFORM_API HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// Writes the braced upper-case form; returns the characters written with the
// NUL (39), or 0 when cchMax is too small.
PLATFORM_API int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// The braced form in memory from CoTaskMemAlloc.
PLATFORM_API HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz);
}

// The braced upper-case form, as StringFromGUID2 writes it.
PLATFORM_API std::u16string GuidToString(REFGUID guid);
