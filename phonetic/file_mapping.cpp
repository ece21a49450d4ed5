#include "phonetic/file_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/unicode.h"

ReadOnlyFileMapping::~ReadOnlyFileMapping() { Unmap(); }

ReadOnlyFileMapping::ReadOnlyFileMapping(ReadOnlyFileMapping&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

ReadOnlyFileMapping& ReadOnlyFileMapping::operator=(ReadOnlyFileMapping&& other) noexcept {
  if (this != &other) {
    Unmap();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

ReadOnlyFileMapping::Status ReadOnlyFileMapping::Map(const std::u16string& path) {
  Unmap();
  const int fd = open(Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::kCannotOpen;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return Status::kCannotOpen;
  }
  if (info.st_size <= 0) {
    close(fd);
    return Status::kCannotMap;
  }
  void* view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  // The view keeps the file alive; the descriptor is not needed any more.
  close(fd);
  if (view == MAP_FAILED) return Status::kCannotMap;
  data_ = static_cast<const unsigned char*>(view);
  size_ = static_cast<size_t>(info.st_size);
  return Status::kMapped;
}

void ReadOnlyFileMapping::Unmap() {
  if (data_ != nullptr) munmap(const_cast<unsigned char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}
