// Reading one registry string, and widening 8-bit text into a UTF-16 buffer.
//
// The system's ANSI code page is Windows-1251: key paths and value names are
// widened from it, and the UTF-16 data of a value is narrowed into it by the
// process-wide code-page converter (a character it has no byte for becomes
// the converter's default character).
#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/types.h"

// Reads the value valueName of the key keyPath under root as a UTF-16 string
// (whatever its registry type) bounded by the value's size and by its first
// NUL, narrowed to Windows-1251. Any failure (key or value missing, data
// unreadable) gives "" and false; whatever was opened is closed again.
bool ReadRegistryString(std::string& out, HKEY root, const std::string& keyPath,
                        const std::string& valueName);

// Sets the buffer to an empty string, then converts the NUL-terminated text
// from the code page into it, terminator included, when it fits into
// bufferChars characters; a text that does not fit, or an unknown code page,
// leaves the buffer empty. Code pages: 0 (the ANSI code page) and 1251
// (Windows-1251), 866 (DOS), 20866 (KOI8-R), 28595 (ISO-8859-5) and 65001
// (UTF-8; characters beyond U+FFFF become U+FFFD). Returns the buffer.
char16_t* AnsiToWideBuffer(char16_t* buffer, const char* text, INT bufferChars, UINT codePage);
