// A read-only view of a whole file, mapped into memory for as long as the
// object lives.
#pragma once

#include <cstddef>
#include <string>

class ReadOnlyFileMapping {
 public:
  enum class Status { kMapped, kCannotOpen, kCannotMap };

  ReadOnlyFileMapping() = default;
  ~ReadOnlyFileMapping();
  ReadOnlyFileMapping(const ReadOnlyFileMapping&) = delete;
  ReadOnlyFileMapping& operator=(const ReadOnlyFileMapping&) = delete;
  ReadOnlyFileMapping(ReadOnlyFileMapping&& other) noexcept;
  ReadOnlyFileMapping& operator=(ReadOnlyFileMapping&& other) noexcept;

  // Maps the existing file read-only; any previous view is released first.
  // An empty file cannot be mapped.
  Status Map(const std::u16string& path);
  void Unmap();

  bool IsMapped() const { return data_ != nullptr; }
  const unsigned char* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  const unsigned char* data_ = nullptr;
  size_t size_ = 0;
};
