// Allocation that never returns null, and the process-wide error reporting
// used by the book-container code.
#pragma once

#include <cstdarg>
#include <cstddef>

using ErrorHandler = void (*)(const char* format, va_list args);

// Installs the fatal and the warning handler; null restores standard error.
void set_error_handlers(ErrorHandler fatal, ErrorHandler warning);

// Reports through the fatal handler (or standard error), then exits with 1.
[[noreturn]] void fatal_error(const char* format, ...);
// Reports through the warning handler (or standard error).
void print_warning(const char* format, ...);

// As malloc, realloc, calloc and strdup; out of memory ends the process.
void* xmalloc(size_t size);
void* xrealloc(void* block, size_t size);
void* xcalloc(size_t count, size_t size);
char* xstrdup(const char* text);
void xfree(void* block);
