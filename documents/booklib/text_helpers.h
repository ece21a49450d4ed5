// Small text routines of the book library.
#pragma once

#include <cstdint>

struct MemBuffer;

// '*' any run, '?' any byte, [set] with ranges, [^set] its complement; a ']'
// first in a set stands for itself.
bool wildcard_match(const char* pattern, const char* name);
// The text with '*', '?', '[' and '\' preceded by a backslash.
MemBuffer* wildcard_escape(const char* text);
// Encodes the first n bytes of the buffer in place; the buffer must hold
// ((n + 2) / 3) * 4 bytes. No terminating 0 is added.
void base64_encode(char* buffer, int32_t n);
// The name of the RTF format.
const char* rtf_format_name();
