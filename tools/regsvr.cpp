// regsvr [-u] SERVER...: registers (with -u unregisters) in-process servers
// by calling their DllRegisterServer (DllUnregisterServer). The registry
// file is the one the platform library uses (PARLEN_REGISTRY).
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "platform/types.h"

namespace {

using SelfRegisterFunc = HRESULT (*)();

int Usage() {
  std::fprintf(stderr, "usage: regsvr [-u] SERVER...\n  -u  unregister instead of register\n");
  return 2;
}

// One server; false (with the reason on stderr) on failure.
bool Run(const std::string& path, bool unregister) {
  // A bare file name would be looked up on the library path, not here.
  std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* library = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    std::fprintf(stderr, "regsvr: %s: cannot load: %s\n", path.c_str(), reason != nullptr ? reason : "unknown error");
    return false;
  }
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto selfRegister = reinterpret_cast<SelfRegisterFunc>(dlsym(library, entry));
  if (selfRegister == nullptr) {
    std::fprintf(stderr, "regsvr: %s: no %s export, not an in-process server\n", path.c_str(), entry);
    return false;
  }
  HRESULT hr = selfRegister();
  if (FAILED(hr)) {
    std::fprintf(stderr, "regsvr: %s: %s failed with 0x%08X\n", path.c_str(), entry, static_cast<unsigned>(hr));
    return false;
  }
  std::printf("regsvr: %s %s %s %s\n", unregister ? "unregistered" : "registered", path.c_str(),
              unregister ? "from" : "in", RegistryStore::Instance().path().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  std::vector<std::string> servers;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-u") == 0) {
      unregister = true;
    } else if (argv[i][0] == '-') {
      return Usage();
    } else {
      servers.emplace_back(argv[i]);
    }
  }
  if (servers.empty()) return Usage();
  int failures = 0;
  for (const auto& server : servers) {
    if (!Run(server, unregister)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
