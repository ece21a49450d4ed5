// Reading a binary data file whole, and joining data folders with file names.
#pragma once

#include <string>

// Reads every byte of the file into out (cleared first). The size is what
// was read, so it is exact whatever the file's length. False, with out
// empty, when the file cannot be opened or a read fails.
bool ReadWholeFile(const std::u16string& path, std::string& out);

// In place: adds the path separator to a non-empty folder that does not end
// with one ('/', or '\' as the registry may hold it).
void AppendPathSeparator(std::u16string& folder);
