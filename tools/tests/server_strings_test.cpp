// The string tables of the servers, read through LoadStringW while each
// server is loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/module_resources.h"

namespace {

struct ServerStrings {
  const char* library;
  std::vector<std::pair<UINT, std::u16string>> strings;
};

std::u16string Load(HINSTANCE instance, UINT id) {
  char16_t buffer[64];
  const int length = LoadStringW(instance, id, buffer, 64);
  return std::u16string(buffer, static_cast<size_t>(length));
}

TEST(ServerStringsTest, EachServerServesItsTable) {
  const ServerStrings servers[] = {
      {RUNEMAP_LIBRARY, {{100, u"Runemap"}, {101, u""}}},
      {GLOSSEL_LIBRARY, {{100, u""}}},
      {TONVAR_LIBRARY, {{100, u"Tonvar"}, {101, u""}}},
      {SONALIK_LIBRARY, {{100, u"Sonalik"}, {101, u"Dad-Ara"}, {102, u""}}},
      {ORVOX_LIBRARY, {{100, u"Orvox"}, {101, u"TTSEngine Class"}, {102, u""}}},
  };
  for (const ServerStrings& server : servers) {
    SCOPED_TRACE(server.library);
    void* library = dlopen(server.library, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const HINSTANCE instance = ModuleInstance(dlsym(library, "DllGetClassObject"));
    ASSERT_NE(instance, nullptr);
    for (const auto& [id, text] : server.strings) EXPECT_EQ(Load(instance, id), text) << id;
    dlclose(library);
  }
}

}  // namespace
