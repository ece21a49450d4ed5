// ReplaceLog: deferred replacement of byte ranges in one text, so that many
// replacements of different lengths cost one pass over the text. One log per
// process; not reentrant.
#pragma once

#include <cstdint>

// Starts a new log. With copyTails the grown parts of replacements are
// copied, otherwise they must outlive the apply.
void replace_log_begin(bool copyTails);
// Replaces oldLength bytes at position with newLength bytes of newText: the
// common prefix is written into the text at once, the length change is
// recorded. Replacements must be recorded in text order, without overlap.
void replace_log_record(char* text, int32_t position, int32_t oldLength, const char* newText,
                        int32_t newLength);
// Applies the recorded changes to a block of *capacity bytes allocated with
// xmalloc (reallocated when it must grow) holding *length bytes of text; the
// result is NUL-terminated.
void replace_log_apply(char** buffer, int32_t* length, int32_t* capacity);
