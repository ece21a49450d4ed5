// reg_write KEY NAME=VALUE...: writes string values under a key of the
// local machine (created when missing) into the registry file the platform
// library uses (PARLEN_REGISTRY). The installation step writes the voice's
// and the language components' entries with it.
#include <cstdio>
#include <string>

#include "platform/registry.h"
#include "platform/registry_store.h"
#include "platform/unicode.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: reg_write KEY NAME=VALUE...\n"
               "  KEY is a path under HKEY_LOCAL_MACHINE, e.g. \"Software\\Morvane\\Voices\\Name\";\n"
               "  each NAME=VALUE is stored as a string value (UTF-8 arguments).\n");
  return 2;
}

std::u16string Wide(const std::string& text) {
  std::u16string out;
  Utf8ToUtf16(text, &out);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::u16string keyPath = Wide(argv[1]);
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    std::fprintf(stderr, "reg_write: cannot create %s (error %d)\n", argv[1], static_cast<int>(status));
    return 1;
  }
  int failures = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string pair = argv[i];
    const size_t equals = pair.find('=');
    if (equals == std::string::npos || equals == 0) {
      RegCloseKey(key);
      return Usage();
    }
    const std::u16string name = Wide(pair.substr(0, equals));
    const std::u16string value = Wide(pair.substr(equals + 1));
    status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
    if (status != ERROR_SUCCESS) {
      std::fprintf(stderr, "reg_write: cannot set %s in %s (error %d)\n", pair.c_str(), argv[1],
                   static_cast<int>(status));
      ++failures;
    }
  }
  RegCloseKey(key);
  if (failures == 0)
    std::printf("reg_write: %s written in %s\n", argv[1], RegistryStore::Instance().path().c_str());
  return failures == 0 ? 0 : 1;
}
