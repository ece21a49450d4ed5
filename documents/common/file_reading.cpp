#include "documents/common/file_reading.h"

bool ReadExactlyAt(TextFile& file, int64_t offset, void* buffer, size_t n) {
  if (offset < 0 || offset > 0x7fffffff || !file.Seek(static_cast<LONG>(offset))) return false;
  return ReadExactly(file, buffer, n);
}

bool ReadExactly(TextFile& file, void* buffer, size_t n) {
  return n == 0 || file.Read(buffer, n) == n;
}
