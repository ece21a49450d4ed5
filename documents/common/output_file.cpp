#include "documents/common/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "documents/common/conversion_message.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kWriteBuffer = 1 << 16;

}  // namespace

bool IsSameFile(const char16_t* a, const char16_t* b) {
  if (std::u16string_view(a) == std::u16string_view(b)) return true;
  struct stat sa;
  struct stat sb;
  return stat(Utf16ToUtf8(a).c_str(), &sa) == 0 && stat(Utf16ToUtf8(b).c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const char16_t* source, const char16_t* target, int64_t announcedSize) {
  Discard();
  if (source == nullptr || target == nullptr || *target == u'\0') return false;
  if (IsSameFile(source, target)) return false;
  return Create(target, announcedSize);
}

bool OutputFile::Create(const char16_t* target, int64_t announcedSize) {
  Discard();
  if (target == nullptr || *target == u'\0') return false;
  targetPath_ = Utf16ToUtf8(target);
  const size_t slash = targetPath_.rfind('/');
  budget_ = OutputBudget(slash == std::string::npos ? "."
                         : slash == 0              ? "/"
                                                   : targetPath_.substr(0, slash));
  if (!budget_.Announce(announcedSize)) return false;
  std::string pattern = targetPath_ + ".partXXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return false;
  // mkstemp creates the file readable by the owner only; a converted text
  // gets the permissions of any file the user creates.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    unlink(pattern.c_str());
    return false;
  }
  // Converters write in pieces of a few kilobytes; a larger buffer saves
  // most of the system calls.
  std::setvbuf(file_, nullptr, _IOFBF, kWriteBuffer);
  temporaryPath_ = pattern;
  failed_ = false;
  failureReason_ = 0;
  return true;
}

bool OutputFile::Write(const void* bytes, size_t n) {
  if (file_ == nullptr || failed_) return false;
  if (n == 0) return true;
  if (!budget_.Admit(n)) {
    failed_ = true;
    return false;
  }
  if (text_ && std::memchr(bytes, 0, n) != nullptr) {
    withoutNul_.assign(static_cast<const char*>(bytes), n);
    std::replace(withoutNul_.begin(), withoutNul_.end(), '\0', ' ');
    bytes = withoutNul_.data();
  }
  errno = 0;
  if (std::fwrite(bytes, 1, n, file_) != n) WriteFailed();
  return !failed_;
}

// A full disk or a file-size limit (EFBIG): the user learns which, since
// the converter only sees a failed write.
void OutputFile::WriteFailed() {
  const int why = errno != 0 ? errno : EIO;
  failed_ = true;
  failureReason_ = why;
  if (!sayFailures_) return;
  std::u16string target;
  Utf8ToUtf16(targetPath_, &target);
  ShowConversionStop(u"Stopped: " + target + u" cannot be written (" + SystemReason(why) +
                     u"). Nothing was kept.");
}

bool OutputFile::Commit() {
  if (file_ == nullptr) return false;
  errno = 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed && !failed_) WriteFailed();
  if (failed_ || std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
    if (failureReason_ == 0) failureReason_ = errno != 0 ? errno : EIO;
    unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
    return false;
  }
  temporaryPath_.clear();
  return true;
}

void OutputFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporaryPath_.empty()) {
    unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
}
