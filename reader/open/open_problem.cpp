#include "reader/open/open_problem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "documents/common/document_kind.h"
#include "platform/unicode.h"

namespace {

// As much as the first page reads.
constexpr size_t kFirstBlockBytes = 1000;

constexpr char16_t kNotRegular[] = u"It is not a regular file (a pipe, a device or a socket).";

}  // namespace

std::u16string MissingFileReason() { return SystemReason(ENOENT); }

std::u16string DocumentOpenProblem(const std::u16string& path) {
  const std::string name = Utf16ToUtf8(path);
  struct stat status;
  if (stat(name.c_str(), &status) != 0) return errno == ENOENT ? std::u16string() : SystemReason(errno);
  if (S_ISDIR(status.st_mode)) return u"It is a folder.";
  // Reading a pipe would wait for a writer for good.
  if (!S_ISREG(status.st_mode)) return kNotRegular;
  // And the name may have been replaced by one since.
  const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemReason(errno);
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return kNotRegular;
  }
  char block[kFirstBlockBytes];
  const ssize_t got = read(fd, block, sizeof block);
  const int readError = errno;
  close(fd);
  if (got < 0) return SystemReason(readError);
  if (std::memchr(block, '\0', static_cast<size_t>(got)) != nullptr &&
      DetectDocumentKind(path) == kPlainText)
    return u"It holds binary data, not text.";
  return {};
}

std::u16string ConversionFailureMessage(const std::u16string& path) {
  return u"Conversion FAILED!\n" + path +
         u"\nThe document could not be converted to text: it is damaged, or not of the kind "
         u"its name says.";
}

std::u16string OpenFailureMessage(const std::u16string& path, const std::u16string& reason) {
  return u"ERROR: can't open file!\n" + path + u"\n" + reason;
}
