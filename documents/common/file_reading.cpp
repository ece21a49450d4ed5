#include "documents/common/file_reading.h"

#include <algorithm>
#include <string>

bool ReadExactlyAt(TextFile& file, int64_t offset, void* buffer, size_t n) {
  if (offset < 0 || offset > 0x7fffffff || !file.Seek(static_cast<LONG>(offset))) return false;
  return ReadExactly(file, buffer, n);
}

bool ReadExactly(TextFile& file, void* buffer, size_t n) {
  return n == 0 || file.Read(buffer, n) == n;
}

int64_t FirstNonAsciiAt(TextFile& file, int64_t size) {
  constexpr int64_t kBlockSize = 10000;
  std::string block;
  for (int64_t offset = 0; offset < size; offset += kBlockSize) {
    block.resize(static_cast<size_t>(std::min(size - offset, kBlockSize)));
    if (!ReadExactlyAt(file, offset, block.data(), block.size())) return size;
    const auto found = std::find_if(block.begin(), block.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (found != block.end()) return offset + (found - block.begin());
  }
  return size;
}
