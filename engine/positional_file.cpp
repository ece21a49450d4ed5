#include "engine/positional_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/unicode.h"

PositionalFile::~PositionalFile() { Close(); }

bool PositionalFile::Open(const std::u16string& path) {
  Close();
  const int fd = open(Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<uint64_t>(info.st_size);
  return true;
}

void PositionalFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  size_ = 0;
}

size_t PositionalFile::ReadAt(uint64_t offset, void* buffer, size_t n) const {
  if (fd_ < 0) return 0;
  auto* at = static_cast<unsigned char*>(buffer);
  size_t got = 0;
  while (got < n) {
    const ssize_t read = pread(fd_, at + got, n - got, static_cast<off_t>(offset + got));
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) break;
    got += static_cast<size_t>(read);
  }
  return got;
}
