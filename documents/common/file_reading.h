// Reading helpers over TextFile for the binary formats.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/text_file.h"

// Reads exactly n bytes at the offset; false on a seek past the file or a
// short read.
bool ReadExactlyAt(TextFile& file, int64_t offset, void* buffer, size_t n);
// Reads exactly n bytes at the current position.
bool ReadExactly(TextFile& file, void* buffer, size_t n);
// Where the first byte outside ASCII stands, or the file's size.
int64_t FirstNonAsciiAt(TextFile& file, int64_t size);
