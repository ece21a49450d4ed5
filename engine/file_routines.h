// Whole-file helpers of the engine's audio family.
#pragma once

#include <cstdint>
#include <string>

// The size of a file in bytes, found by seeking to its end; -1 when it
// cannot be opened (a folder cannot).
int64_t FileSizeBySeeking(const std::u16string& path);

// The file's bytes, unchanged; false (and an empty string) when it cannot
// be opened or read to its end.
bool ReadFileToString(const std::u16string& path, std::string& out);
