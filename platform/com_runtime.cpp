// In-process object creation: the registry names the shared library of a
// class, which is loaded once per process and never unloaded (objects and
// class factories of it may live as long as the process).
#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "platform/com.h"
#include "platform/registry_text.h"
#include "platform/unicode.h"

namespace {

struct ThreadInit {
  int count = 0;
  DWORD model = COINIT_MULTITHREADED;
};
thread_local ThreadInit t_init;

std::mutex g_librariesMutex;
std::map<std::string, void*> g_libraries;  // by path as registered

// The library's handle, loaded on first use; null with the reason on stderr.
void* LoadServer(const std::string& path) {
  std::lock_guard lock(g_librariesMutex);
  auto it = g_libraries.find(path);
  if (it != g_libraries.end()) return it->second;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    std::fprintf(stderr, "COM: cannot load %s: %s\n", path.c_str(), reason != nullptr ? reason : "unknown error");
    return nullptr;
  }
  g_libraries.emplace(path, handle);
  return handle;
}

}  // namespace

extern "C" {

HRESULT CoInitializeEx(LPVOID /*pvReserved*/, DWORD dwCoInit) {
  DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
  if (t_init.count > 0) {
    if (t_init.model != model) return RPC_E_CHANGED_MODE;
    ++t_init.count;
    return S_FALSE;
  }
  t_init.count = 1;
  t_init.model = model;
  return S_OK;
}

void CoUninitialize() {
  if (t_init.count > 0) --t_init.count;
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID /*pvReserved*/, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  std::u16string path;
  if (!ReadRegistryText(HKEY_CLASSES_ROOT, u"CLSID\\" + GuidToString(rclsid) + u"\\InprocServer32", nullptr,
                        &path) ||
      path.empty()) {
    return REGDB_E_CLASSNOTREG;
  }
  void* library = LoadServer(Utf16ToUtf8(path));
  if (library == nullptr) return CO_E_DLLNOTFOUND;
  auto getClassObject = reinterpret_cast<DllGetClassObjectFunc>(dlsym(library, "DllGetClassObject"));
  if (getClassObject == nullptr) return CO_E_ERRORINDLL;
  return getClassObject(rclsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(pUnkOuter, riid, ppv);
  factory->Release();
  return hr;
}

}  // extern "C"
