// A file opened for reading whose bytes are read at given offsets, each read
// one system call that leaves no position behind. The file may change while
// it is open: a read past its present end gives fewer bytes, never a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class PositionalFile {
 public:
  PositionalFile() = default;
  ~PositionalFile();
  PositionalFile(const PositionalFile&) = delete;
  PositionalFile& operator=(const PositionalFile&) = delete;

  // Opens an existing regular file, closing any file opened before, and
  // records its size.
  bool Open(const std::u16string& path);
  void Close();
  // The size when the file was opened.
  uint64_t SizeAtOpen() const { return size_; }

  // Reads up to n bytes from the offset; returns how many were read (fewer
  // at the end of the file or on an error).
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) const;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};
