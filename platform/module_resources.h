// String tables of loaded modules, served by LoadStringW as the handheld's
// loader serves them from a module's resources. A module's instance handle
// is the base address at which it is loaded; each server adds its table
// when it is loaded and removes it when it is unloaded.
#pragma once

#include <cstddef>

#include "platform/types.h"

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

struct StringResource {
  UINT id;
  const char16_t* text;
};

// The instance handle of the module that holds the address; null when the
// address lies in no loaded module.
PLATFORM_API HINSTANCE ModuleInstance(const void* addressInModule);

// The table stays the caller's and must outlive its registration.
PLATFORM_API void AddModuleStrings(HINSTANCE instance, const StringResource* strings, size_t count);
PLATFORM_API void RemoveModuleStrings(HINSTANCE instance);

// Copies string `id` of the module's table into buffer, cut to
// bufferMax - 1 characters and terminated; returns the number of characters
// copied. 0, with an empty buffer, when the module has no such string.
PLATFORM_API int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// A module's string table, registered for the life of the object (a static
// object of the module).
class ModuleStringTable {
 public:
  ModuleStringTable(const StringResource* strings, size_t count)
      : instance_(ModuleInstance(strings)) {
    AddModuleStrings(instance_, strings, count);
  }
  ~ModuleStringTable() { RemoveModuleStrings(instance_); }
  ModuleStringTable(const ModuleStringTable&) = delete;
  ModuleStringTable& operator=(const ModuleStringTable&) = delete;

 private:
  HINSTANCE instance_;
};
