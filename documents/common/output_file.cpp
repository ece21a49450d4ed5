#include "documents/common/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
  targetPath_ = Utf16ToUtf8(target);
  limits_ = CurrentOutputLimits();
  const size_t slash = targetPath_.rfind('/');
  folder_ = slash == std::string::npos ? "." : slash == 0 ? "/" : targetPath_.substr(0, slash);
  written_ = 0;
  nextCheck_ = limits_.progressStep;
  if (announcedSize > limits_.largestFile) return Stop(true);
  if (!HasRoomFor(announcedSize)) return Stop(false);
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
  return true;
}

bool OutputFile::Write(const void* bytes, size_t n) {
  if (file_ == nullptr || failed_) return false;
  if (n == 0) return true;
  if (!Admit(n)) return false;
  if (text_ && std::memchr(bytes, 0, n) != nullptr) {
    withoutNul_.assign(static_cast<const char*>(bytes), n);
    std::replace(withoutNul_.begin(), withoutNul_.end(), '\0', ' ');
    bytes = withoutNul_.data();
  }
  if (std::fwrite(bytes, 1, n, file_) != n) failed_ = true;
  return !failed_;
}

bool OutputFile::Admit(size_t n) {
  written_ += static_cast<int64_t>(n);
  if (written_ > limits_.largestFile) return Stop(true);
  if (written_ >= nextCheck_) {
    nextCheck_ = written_ + std::max<int64_t>(limits_.progressStep, 1);
    if (limits_.progress) limits_.progress(written_);
    if (!HasRoomFor(0)) return Stop(false);
  }
  return true;
}

bool OutputFile::HasRoomFor(int64_t more) const {
  if (!limits_.freeSpace) return true;
  const int64_t free = limits_.freeSpace(folder_);
  return free < 0 || free - more >= limits_.freeSpaceMargin;
}

bool OutputFile::Stop(bool tooLarge) {
  failed_ = true;
  const int64_t megabytes = (tooLarge ? limits_.largestFile : limits_.freeSpaceMargin) >> 20;
  ShowConversionStop(
      tooLarge ? "Stopped: the file would be larger than " + std::to_string(megabytes) +
                     " MB, the largest document the reader opens. Nothing was kept."
               : "Stopped: less than " + std::to_string(megabytes) +
                     " MB would be left free on the disk. Nothing was kept.");
  return false;
}

bool OutputFile::Commit() {
  if (file_ == nullptr) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed_ || !closed || std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
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
