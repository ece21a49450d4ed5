// Registration of a server's classes under HKEY_CLASSES_ROOT.
#include "platform/server.h"

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

#include "platform/unicode.h"

namespace {

LONG SetString(HKEY key, const char16_t* name, std::u16string_view value) {
  std::u16string text(value);
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

bool DeleteTree(const std::u16string& path) {
  LONG error = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

// The absolute path of the shared object that holds address.
bool ModulePath(const void* address, std::u16string* path) {
  Dl_info info;
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return false;
  std::unique_ptr<char, decltype(&std::free)> real(realpath(info.dli_fname, nullptr), &std::free);
  return real != nullptr && Utf8ToUtf16(real.get(), path);
}

HRESULT RegisterClass(const ServerClass& entry, const std::u16string& modulePath,
                      const ServerTypeLibrary* typeLibrary) {
  const std::u16string clsid = GuidToString(entry.clsid);
  const std::u16string clsidPath = u"CLSID\\" + clsid;
  const std::u16string description = entry.description != nullptr ? entry.description : u"";
  bool ok = DeleteTree(clsidPath);
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, clsidPath, nullptr, description) == ERROR_SUCCESS;
  if (entry.progId != nullptr) {
    const std::u16string progId = entry.progId;
    const std::u16string versioned = progId + u".1";
    ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, clsidPath + u"\\ProgID", nullptr, versioned) == ERROR_SUCCESS;
    ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, clsidPath + u"\\VersionIndependentProgID", nullptr,
                                   progId) == ERROR_SUCCESS;
    for (const auto& key : {versioned, progId}) {
      ok = ok && DeleteTree(key);
      ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, key, nullptr, description) == ERROR_SUCCESS;
      ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, key + u"\\CLSID", nullptr, clsid) == ERROR_SUCCESS;
    }
    ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, progId + u"\\CurVer", nullptr, versioned) == ERROR_SUCCESS;
  }
  const std::u16string inproc = clsidPath + u"\\InprocServer32";
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, inproc, nullptr, modulePath) == ERROR_SUCCESS;
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, inproc, u"ThreadingModel", u"Both") == ERROR_SUCCESS;
  if (typeLibrary != nullptr) {
    ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, clsidPath + u"\\TypeLib", nullptr,
                                   GuidToString(typeLibrary->libid)) == ERROR_SUCCESS;
  }
  if (ok && !(entry.category == GUID_NULL)) {
    HKEY category;
    std::u16string path = clsidPath + u"\\Implemented Categories\\" + GuidToString(entry.category);
    ok = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &category, nullptr) ==
         ERROR_SUCCESS;
    if (ok) RegCloseKey(category);
  }
  if (!ok) return SELFREG_E_CLASS;
  if (entry.registryHook == nullptr) return S_OK;
  HKEY key;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clsidPath.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return SELFREG_E_CLASS;
  }
  HRESULT hr = entry.registryHook(key, true);
  RegCloseKey(key);
  return hr;
}

HRESULT UnregisterClass(const ServerClass& entry) {
  const std::u16string clsidPath = u"CLSID\\" + GuidToString(entry.clsid);
  HRESULT hr = S_OK;
  if (entry.registryHook != nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clsidPath.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) key = nullptr;
    hr = entry.registryHook(key, false);
    if (key != nullptr) RegCloseKey(key);
  }
  bool ok = DeleteTree(clsidPath);
  if (entry.progId != nullptr) {
    const std::u16string progId = entry.progId;
    ok = DeleteTree(progId + u".1") && ok;
    ok = DeleteTree(progId) && ok;
  }
  if (FAILED(hr)) return hr;
  return ok ? S_OK : SELFREG_E_CLASS;
}

std::u16string TypeLibraryPath(const ServerTypeLibrary& typeLibrary) {
  return u"TypeLib\\" + GuidToString(typeLibrary.libid);
}

// What registering a type library writes: the version key named by its help
// string, the library's file for language 0 (the module itself, where the
// library would be its resource), its flags and its help folder.
HRESULT RegisterTypeLibrary(const ServerTypeLibrary& typeLibrary, const std::u16string& modulePath) {
  const std::u16string version = TypeLibraryPath(typeLibrary) + u"\\1.0";
  const size_t slash = modulePath.find_last_of(u'/');
  const std::u16string folder = slash == 0 ? u"/" : modulePath.substr(0, slash);
  const std::u16string help = typeLibrary.helpString != nullptr ? typeLibrary.helpString : u"";
  bool ok = DeleteTree(version);
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, version, nullptr, help) == ERROR_SUCCESS;
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, version + u"\\0\\win32", nullptr, modulePath) ==
                 ERROR_SUCCESS;
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, version + u"\\FLAGS", nullptr, u"0") == ERROR_SUCCESS;
  ok = ok && WriteRegistryString(HKEY_CLASSES_ROOT, version + u"\\HELPDIR", nullptr, folder) == ERROR_SUCCESS;
  return ok ? S_OK : SELFREG_E_TYPELIB;
}

}  // namespace

LONG WriteRegistryString(HKEY root, std::u16string_view keyPath, const char16_t* valueName,
                         std::u16string_view value) {
  HKEY key;
  std::u16string path(keyPath);
  LONG error = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (error != ERROR_SUCCESS) return error;
  error = SetString(key, valueName, value);
  RegCloseKey(key);
  return error;
}

HRESULT RegisterServerClasses(const ServerClass* classes, size_t count, const void* addressInModule,
                              const ServerTypeLibrary* typeLibrary) {
  std::u16string modulePath;
  if (!ModulePath(addressInModule, &modulePath)) return SELFREG_E_CLASS;
  for (size_t i = 0; i < count; ++i) {
    HRESULT hr = RegisterClass(classes[i], modulePath, typeLibrary);
    if (FAILED(hr)) return hr;
  }
  return typeLibrary != nullptr ? RegisterTypeLibrary(*typeLibrary, modulePath) : S_OK;
}

HRESULT UnregisterServerClasses(const ServerClass* classes, size_t count,
                                const ServerTypeLibrary* typeLibrary) {
  HRESULT result = S_OK;
  for (size_t i = 0; i < count; ++i) {
    HRESULT hr = UnregisterClass(classes[i]);
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  if (typeLibrary != nullptr && !DeleteTree(TypeLibraryPath(*typeLibrary)) && SUCCEEDED(result))
    result = SELFREG_E_TYPELIB;
  return result;
}
