// UTF-8 <-> UTF-16 for file names and files that the platform reads and
// writes (8-bit Windows-1251 text is the foundation library's business).
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

// Unpaired surrogates become U+FFFD.
PLATFORM_API std::string Utf16ToUtf8(std::u16string_view text);
// False on bytes that are not UTF-8 (out is then unspecified).
PLATFORM_API bool Utf8ToUtf16(std::string_view text, std::u16string* out);
// The system's text for an errno value.
PLATFORM_API std::u16string SystemReason(int error);
