// Rebuilds HTML (or a package document) from a LIT binary tag stream.
#pragma once

#include <cstdint>

#include "documents/litlib/lit_manifest.h"

// Returns the count written, or a negative value on failure.
using LitWriteFunction = int32_t (*)(void* handle, const char* bytes, int32_t count);

// Rebuilds stream[start, end); returns the stream bytes consumed or a
// negative code (-1 malformed, -2 nested too deeply, -2140 bad UTF-8).
int32_t lit_reconstruct_html(const uint8_t* stream, uint32_t start, uint32_t end,
                             bool packageMode, const lit_manifest* manifest,
                             LitWriteFunction write, void* handle);
