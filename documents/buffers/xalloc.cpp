#include "documents/buffers/xalloc.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

ErrorHandler g_fatalHandler = nullptr;
ErrorHandler g_warningHandler = nullptr;

void Report(ErrorHandler handler, const char* format, va_list args) {
  if (handler != nullptr) {
    handler(format, args);
  } else {
    std::vfprintf(stderr, format, args);
  }
}

[[noreturn]] void OutOfMemory() { fatal_error("Out of memory\n"); }

}  // namespace

void set_error_handlers(ErrorHandler fatal, ErrorHandler warning) {
  g_fatalHandler = fatal;
  g_warningHandler = warning;
}

void fatal_error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Report(g_fatalHandler, format, args);
  va_end(args);
  std::exit(1);
}

void print_warning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Report(g_warningHandler, format, args);
  va_end(args);
}

void* xmalloc(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) OutOfMemory();
  return block;
}

void* xrealloc(void* block, size_t size) {
  void* grown = std::realloc(block, size == 0 ? 1 : size);
  if (grown == nullptr) OutOfMemory();
  return grown;
}

void* xcalloc(size_t count, size_t size) {
  void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
  if (block == nullptr) OutOfMemory();
  return block;
}

char* xstrdup(const char* text) {
  const size_t length = std::strlen(text);
  char* copy = static_cast<char*>(xmalloc(length + 1));
  std::memcpy(copy, text, length + 1);
  return copy;
}

void xfree(void* block) { std::free(block); }
