// Case-insensitive comparison of 8-bit strings: only the ASCII capitals (and
// '[') fold, so Cyrillic bytes compare as they are.
#pragma once

#include <cstdint>

// The difference of the first folded bytes that differ; 0 when equal.
int fold_compare(const char* a, const char* b);
// The same over at most limit bytes; a limit of 0 or less compares equal.
int fold_compare_n(const char* a, const char* b, int32_t limit);
