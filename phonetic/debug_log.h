// A line log for diagnostics: a file beside the host program, a verbosity
// level, and three kinds of entries. Each call takes the log's lock itself,
// so entries from several threads never interleave.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

class DebugLog {
 public:
  DebugLog() = default;
  ~DebugLog();
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;

  // Opens (for appending) the file of this name in the host program's
  // folder, closing any file opened before.
  bool OpenLogFile(const std::u16string& name);
  // Keeps the file name part of the source path and the line for the
  // entries that follow.
  void SetSource(const char* sourcePath, int32_t line);
  void SetVerbosity(int32_t verbosity);

  // The format is printf-style; string arguments are 8-bit text.
  void LogInfo(const char16_t* format, ...);
  void LogError(const char16_t* format, ...);
  void LogDevInfo(const char16_t* format, ...);

 private:
  void Write(int32_t lowestVerbosity, int32_t highestVerbosity, const char* kind,
             const char16_t* format, va_list arguments);
  void CloseLocked();

  std::recursive_mutex lock_;
  std::FILE* file_ = nullptr;
  std::u16string path_;
  int32_t verbosity_ = 0;
  std::string sourceFile_;
  int32_t sourceLine_ = 0;
};
