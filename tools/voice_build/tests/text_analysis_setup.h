// The text-analysis server and the built data, registered in the test's own
// registry file, as the voice build registers them.
#pragma once

#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "foundation/code_pages.h"
#include "platform/server.h"

// False when the data build has not run.
inline bool BuiltDataPresent() {
  return std::filesystem::exists(std::filesystem::path(BUILT_DATA_DIR) / "Dict" / "wordsg3.dat5");
}

// Registers both servers and the data entries; false on any failure.
inline bool RegisterTextAnalysis() {
  for (const char* path : {GLOSSEL_LIBRARY_PATH, RUNEMAP_LIBRARY_PATH}) {
    void* library = dlopen(path, RTLD_NOW);
    if (library == nullptr) return false;
    auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    if (reg == nullptr || reg() != S_OK) return false;
  }
  const std::pair<const char16_t*, std::string> entries[] = {
      {u"Root", BUILT_DATA_DIR},
      {u"NewStressBase", "Dict"},
      {u"UserStressBase", "userstress.txt"},
      {u"StringResources", "resources.txt"},
      {u"MaskBases", "Masks"},
      {u"Runemap", "{AAC0577E-969B-4545-BB63-054568E4C600}"}};
  for (const auto& [name, value] : entries) {
    if (WriteRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\Russian", name,
                            NarrowToWide(value)) != ERROR_SUCCESS)
      return false;
  }
  return true;
}
