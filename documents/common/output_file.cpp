#include "documents/common/output_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "documents/common/conversion_mark.h"
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
  if (!file_.Create(targetPath_)) {
    if (file_.Error() == AtomicFile::kNotRegularFile) {
      Stopped();
    } else {
      failureReason_ = file_.Error() != 0 ? file_.Error() : EIO;
    }
    return false;
  }
  // A killed conversion's temporary is found again by its mark.
  NoteConversionTemporary(file_.TemporaryPath());
  // Converters write in pieces of a few kilobytes; a larger buffer saves
  // most of the system calls.
  std::setvbuf(file_.Stream(), nullptr, _IOFBF, kWriteBuffer);
  failed_ = false;
  failureReason_ = 0;
  return true;
}

bool OutputFile::Write(const void* bytes, size_t n) {
  if (file_.Stream() == nullptr || failed_) return false;
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
  if (!file_.Write(bytes, n)) Stopped();
  return !failed_;
}

// A full disk, a file-size limit (EFBIG) or a target that is no file: the
// user learns which, since the converter only sees a failed write.
void OutputFile::Stopped() {
  failed_ = true;
  failureReason_ = file_.Error() != 0 ? file_.Error() : EIO;
  if (!sayFailures_) return;
  std::u16string target;
  Utf8ToUtf16(targetPath_, &target);
  ShowConversionStop(u"Stopped: " + target + u" cannot be written (" + FailureWords() +
                     u"). Nothing was kept.");
}

std::u16string OutputFile::FailureWords() const {
  return failureReason_ == AtomicFile::kNotRegularFile ? u"it is not a regular file"
                                                       : SystemReason(failureReason_);
}

bool OutputFile::Commit() {
  if (file_.Stream() == nullptr) return false;
  if (failed_) {
    file_.Discard();
    return false;
  }
  if (file_.Commit()) return true;
  Stopped();
  return false;
}

void OutputFile::Discard() { file_.Discard(); }
