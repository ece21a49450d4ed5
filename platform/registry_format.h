// The text of a registry file, as a Windows registry export writes it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\Russian]
//   @="default value"
//   "Root"="C:\\Data\\"
//   "Count"=dword:0000001f
//   "Raw"=hex:01,02,ff
//   "Path"=hex(2):25,00,00,00
//
// The text is UTF-8. Strings escape only '\' and '"'; strings that cannot be
// written that way (line breaks, NULs inside, no terminating NUL) and values
// of other types are written as hex(type). Reading also takes "[-key]" and
// "name"=- (delete), ';' comments, hex lines continued with '\', and a
// UTF-16 file with its byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

inline constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";

// Adds what the text holds to root (whose subkeys are the root keys).
// Malformed lines are described in problems and kept, byte for byte, in the
// unread lines of the key they stood in (a damaged key with its lines after
// the key before it, lines before any key in root), so that writing the
// tree back loses nothing.
PLATFORM_API void ParseRegistryText(std::string_view text, RegistryKey& root,
                                    std::vector<std::string>* problems);
// Every key below the root keys, depth first in the order of their names;
// a root key itself only when it has values or unread lines. Unread lines go
// back where they stood; those of root follow the header.
PLATFORM_API std::string FormatRegistryText(const RegistryKey& root);
