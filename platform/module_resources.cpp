#include "platform/module_resources.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <utility>

namespace {

struct StringTables {
  std::mutex mutex;
  std::map<HINSTANCE, std::pair<const StringResource*, size_t>> byModule;
};

// Never destroyed: modules unloaded at process exit still remove theirs.
StringTables& Tables() {
  static auto* tables = new StringTables;
  return *tables;
}

}  // namespace

HINSTANCE ModuleInstance(const void* addressInModule) {
  Dl_info info;
  if (addressInModule == nullptr || dladdr(addressInModule, &info) == 0) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

void AddModuleStrings(HINSTANCE instance, const StringResource* strings, size_t count) {
  if (instance == nullptr) return;
  StringTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  tables.byModule[instance] = {strings, count};
}

void RemoveModuleStrings(HINSTANCE instance) {
  StringTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  tables.byModule.erase(instance);
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) return 0;
  buffer[0] = u'\0';
  StringTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  const auto found = tables.byModule.find(instance);
  if (found == tables.byModule.end()) return 0;
  const auto [strings, count] = found->second;
  for (size_t i = 0; i < count; ++i) {
    if (strings[i].id != id) continue;
    int length = 0;
    for (const char16_t* c = strings[i].text; *c != u'\0' && length < bufferMax - 1; ++c)
      buffer[length++] = *c;
    buffer[length] = u'\0';
    return length;
  }
  return 0;
}
