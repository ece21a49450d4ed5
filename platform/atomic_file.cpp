#include "platform/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

mode_t NewFileMode(const std::string& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  // mkstemp makes the file readable by the owner only; a new file gets what
  // any file the user creates gets.
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool AtomicFile::Fail(int error) {
  if (error_ == 0) error_ = error != 0 ? error : EIO;
  return false;
}

bool AtomicFile::Create(const std::string& target) {
  Discard();
  error_ = 0;
  if (target.empty()) return Fail(ENOENT);
  struct stat st;
  if (lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
    return Fail(kNotRegularFile);
  std::string pattern = target + kTemporarySuffix + "XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return Fail(errno);
  fchmod(fd, NewFileMode(target));
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    close(fd);
    unlink(pattern.c_str());
    return Fail(error);
  }
  temporaryPath_ = std::move(pattern);
  targetPath_ = target;
  return true;
}

bool AtomicFile::Write(const void* bytes, size_t n) {
  if (file_ == nullptr || error_ != 0) return false;
  errno = 0;
  if (n != 0 && std::fwrite(bytes, 1, n, file_) != n) return Fail(errno);
  return true;
}

bool AtomicFile::Commit() {
  if (file_ == nullptr) return Fail(EBADF);
  errno = 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) Fail(errno);
  if (error_ == 0) {
    // The target may have become something else while the text was written.
    struct stat st;
    if (lstat(targetPath_.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
      Fail(kNotRegularFile);
    else if (std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0)
      Fail(errno);
  }
  if (error_ != 0) unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
  return error_ == 0;
}

void AtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporaryPath_.empty()) {
    unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
}

std::string AtomicFile::Reason() const {
  if (error_ == kNotRegularFile) return "it is not a regular file";
  return error_ == 0 ? std::string() : std::string(std::strerror(error_));
}

bool WriteFileAtomically(const std::string& target, const std::string& bytes,
                         std::string* reason) {
  AtomicFile file;
  const bool written = file.Create(target) && file.Write(bytes) && file.Commit();
  if (!written && reason != nullptr) *reason = file.Reason();
  return written;
}
