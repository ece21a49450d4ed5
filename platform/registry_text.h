// Reading a string value in one call, for the COM runtime's look-ups.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

// The REG_SZ or REG_EXPAND_SZ value up to its first NUL; false when the
// key or value is missing or holds another type.
bool ReadRegistryText(HKEY root, std::u16string_view keyPath, const char16_t* valueName, std::u16string* text);
