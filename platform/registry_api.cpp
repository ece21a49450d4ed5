// The Reg* functions over the process's RegistryStore. A handle remembers
// the path of its key; a key deleted under an open handle gives
// ERROR_KEY_DELETED. As on the handheld, the access mask is not checked
// and RegDeleteKeyW deletes a whole subtree.
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/registry.h"
#include "platform/registry_store.h"

struct HKEY__ {
  RegistryPath path;
};

namespace {

std::mutex g_handlesMutex;
std::unordered_set<HKEY> g_handles;

struct ResolvedKey {
  RegistryPath path;
  bool predefined = false;
};

bool Resolve(HKEY key, ResolvedKey* out) {
  if (key == HKEY_LOCAL_MACHINE) {
    *out = {{std::u16string(kLocalMachineName)}, true};
  } else if (key == HKEY_CURRENT_USER) {
    *out = {{std::u16string(kCurrentUserName)}, true};
  } else if (key == HKEY_CLASSES_ROOT) {
    *out = {{std::u16string(kLocalMachineName), u"SOFTWARE", u"Classes"}, true};
  } else {
    std::lock_guard lock(g_handlesMutex);
    if (key == nullptr || g_handles.count(key) == 0) return false;
    *out = {key->path, false};
  }
  return true;
}

// Names between backslashes; empty ones (doubled or outer backslashes) are skipped.
RegistryPath Below(const RegistryPath& base, LPCWSTR subKey) {
  RegistryPath path = base;
  if (subKey == nullptr) return path;
  std::u16string_view rest(subKey);
  while (!rest.empty()) {
    size_t slash = rest.find(u'\\');
    std::u16string_view name = rest.substr(0, slash);
    if (!name.empty()) path.emplace_back(name);
    if (slash == std::u16string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return path;
}

// How much of a path must exist already when creating below a key: the
// predefined keys stand even when nothing is stored under them yet.
size_t MustExist(const ResolvedKey& key) { return key.predefined ? 1 : key.path.size(); }

HKEY NewHandle(RegistryPath path) {
  auto* handle = new HKEY__{std::move(path)};
  std::lock_guard lock(g_handlesMutex);
  g_handles.insert(handle);
  return handle;
}

std::u16string_view NameOrDefault(LPCWSTR name) { return name == nullptr ? std::u16string_view() : name; }

LONG CopyData(const std::vector<BYTE>& bytes, LPBYTE data, LPDWORD dataSize) {
  if (dataSize == nullptr) return ERROR_SUCCESS;
  auto size = static_cast<DWORD>(bytes.size());
  if (data != nullptr) {
    if (*dataSize < size) {
      *dataSize = size;
      return ERROR_MORE_DATA;
    }
    if (size != 0) std::memcpy(data, bytes.data(), size);
  }
  *dataSize = size;
  return ERROR_SUCCESS;
}

LONG CopyName(const std::u16string& name, LPWSTR buffer, LPDWORD chars) {
  if (name.size() + 1 > *chars) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.data(), name.size() * sizeof(char16_t));
  buffer[name.size()] = u'\0';
  *chars = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD /*options*/, REGSAM /*sam*/, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  RegistryPath path = Below(base.path, subKey);
  bool samePredefined = base.predefined && path.size() == base.path.size();
  if (!samePredefined && !RegistryStore::Instance().KeyExists(path)) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(std::move(path));
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD /*reserved*/, LPWSTR /*keyClass*/, DWORD /*options*/,
                     REGSAM /*sam*/, void* /*security*/, PHKEY result, LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  RegistryPath path = Below(base.path, subKey);
  bool created = false;
  LONG error = RegistryStore::Instance().CreateKey(path, MustExist(base), &created);
  if (error != ERROR_SUCCESS) return error;
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(std::move(path));
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  {
    std::lock_guard lock(g_handlesMutex);
    if (key == nullptr || g_handles.erase(key) == 0) return ERROR_INVALID_HANDLE;
  }
  delete key;
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD /*reserved*/, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  DWORD valueType = REG_NONE;
  std::vector<BYTE> bytes;
  LONG error = RegistryStore::Instance().QueryValue(base.path, NameOrDefault(valueName), &valueType, &bytes);
  if (error == ERROR_KEY_DELETED && base.predefined) error = ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) return error;
  if (type != nullptr) *type = valueType;
  return CopyData(bytes, data, dataSize);
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  RegistryStore& store = RegistryStore::Instance();
  LONG error = store.SetValue(base.path, NameOrDefault(valueName), type, data, dataSize);
  if (error == ERROR_KEY_DELETED && base.predefined) {
    bool created;
    error = store.CreateKey(base.path, 1, &created);
    if (error == ERROR_SUCCESS) error = store.SetValue(base.path, NameOrDefault(valueName), type, data, dataSize);
  }
  return error;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  LONG error = RegistryStore::Instance().DeleteValue(base.path, NameOrDefault(valueName));
  if (error == ERROR_KEY_DELETED && base.predefined) error = ERROR_FILE_NOT_FOUND;
  return error;
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  RegistryPath path = Below(base.path, subKey);
  if (base.predefined && path.size() == base.path.size()) return ERROR_ACCESS_DENIED;
  return RegistryStore::Instance().DeleteKey(path);
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameChars, LPDWORD /*reserved*/,
                   LPWSTR keyClass, LPDWORD classChars, void* lastWriteTime) {
  if (name == nullptr || nameChars == nullptr) return ERROR_INVALID_PARAMETER;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  std::u16string found;
  LONG error = RegistryStore::Instance().EnumKey(base.path, index, &found);
  if (error == ERROR_KEY_DELETED && base.predefined) error = ERROR_NO_MORE_ITEMS;
  if (error != ERROR_SUCCESS) return error;
  error = CopyName(found, name, nameChars);
  if (error != ERROR_SUCCESS) return error;
  // Keys have no class and no time of last writing here.
  if (keyClass != nullptr && classChars != nullptr && *classChars > 0) keyClass[0] = u'\0';
  if (classChars != nullptr) *classChars = 0;
  if (lastWriteTime != nullptr) std::memset(lastWriteTime, 0, 8);
  return ERROR_SUCCESS;
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameChars, LPDWORD /*reserved*/, LPDWORD type,
                   LPBYTE data, LPDWORD dataSize) {
  if (name == nullptr || nameChars == nullptr) return ERROR_INVALID_PARAMETER;
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  ResolvedKey base;
  if (!Resolve(key, &base)) return ERROR_INVALID_HANDLE;
  RegistryValue value;
  LONG error = RegistryStore::Instance().EnumValue(base.path, index, &value);
  if (error == ERROR_KEY_DELETED && base.predefined) error = ERROR_NO_MORE_ITEMS;
  if (error != ERROR_SUCCESS) return error;
  error = CopyName(value.name, name, nameChars);
  if (error != ERROR_SUCCESS) return error;
  if (type != nullptr) *type = value.type;
  return CopyData(value.data, data, dataSize);
}

}  // extern "C"
