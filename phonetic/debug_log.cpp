#include "phonetic/debug_log.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdarg>

#include "foundation/code_pages.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kMaxPathChars = 260;
constexpr size_t kEntryChars = 1024;
// Entries carry a fixed time text rather than the clock.
constexpr const char* kTimeText = "12:00";

// The folder of the running program with its final separator.
std::u16string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length <= 0) return {};
  const std::string path(buffer, static_cast<size_t>(length));
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  std::u16string folder;
  Utf8ToWide(path.substr(0, slash + 1), folder, u'\uFFFD');
  return folder;
}

}  // namespace

DebugLog::~DebugLog() { CloseLocked(); }

void DebugLog::CloseLocked() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool DebugLog::OpenLogFile(const std::u16string& name) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  CloseLocked();
  const std::u16string folder = ProgramFolder();
  if (folder.empty()) return false;
  path_ = (folder + name).substr(0, kMaxPathChars);
  file_ = std::fopen(Utf16ToUtf8(path_).c_str(), "ab");
  return file_ != nullptr;
}

DebugLog::Entry::Entry(DebugLog& log, const char* sourcePath, int32_t line)
    : log_(log), lock_(log.lock_) {
  const std::string path = sourcePath != nullptr ? sourcePath : "";
  const size_t separator = path.find_last_of("\\/");
  log_.sourceFile_ = separator == std::string::npos ? path : path.substr(separator + 1);
  log_.sourceLine_ = line;
}

DebugLog::Entry DebugLog::SetSource(const char* sourcePath, int32_t line) {
  return Entry(*this, sourcePath, line);
}

void DebugLog::SetVerbosity(int32_t verbosity) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  verbosity_ = verbosity;
}

void DebugLog::Entry::LogInfo(const char16_t* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  log_.Write(2, 3, "Info", format, arguments);
  va_end(arguments);
}

void DebugLog::Entry::LogError(const char16_t* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  log_.Write(1, 3, "Error", format, arguments);
  va_end(arguments);
}

void DebugLog::Entry::LogDevInfo(const char16_t* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  log_.Write(3, 3, "DevInfo", format, arguments);
  va_end(arguments);
}

void DebugLog::Write(int32_t lowestVerbosity, int32_t highestVerbosity, const char* kind,
                     const char16_t* format, va_list arguments) {
  // The entry holds the lock already.
  if (verbosity_ < lowestVerbosity || verbosity_ > highestVerbosity) return;
  const int savedError = errno;

  char text[kEntryChars];
  const std::string narrowFormat = WideToNarrow(format != nullptr ? format : u"");
  if (std::vsnprintf(text, sizeof(text), narrowFormat.c_str(), arguments) < 0) text[0] = '\0';
  for (char* p = text; *p != '\0'; ++p) {
    if (*p == '\n' || *p == '\r') *p = '|';
  }

  if (file_ != nullptr) {
    if (verbosity_ == 3) {
      std::fprintf(file_, "%s\t%s\t%s, %d\t%s\r\n", kTimeText, kind, sourceFile_.c_str(),
                   sourceLine_, text);
    } else {
      std::fprintf(file_, "%s\t%s\t%s\r\n", kTimeText, kind, text);
    }
    std::fflush(file_);
  }
  errno = savedError;
}
