// A line log for diagnostics: a file beside the host program, a verbosity
// level, and three kinds of entries. An entry is written through SetSource:
// the log stays locked from the source to the written line, so another
// thread can neither interleave a line nor label this one with its source.
//
//   log.SetSource(__FILE__, __LINE__).LogError(u"cannot read %s", path);
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

class DebugLog {
 public:
  // One entry under way: the log is locked while it lives.
  class Entry {
   public:
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    // The format is printf-style; string arguments are 8-bit text.
    void LogInfo(const char16_t* format, ...);
    void LogError(const char16_t* format, ...);
    void LogDevInfo(const char16_t* format, ...);

   private:
    friend class DebugLog;
    // Locks first, then labels the entry.
    Entry(DebugLog& log, const char* sourcePath, int32_t line);

    DebugLog& log_;
    std::lock_guard<std::recursive_mutex> lock_;
  };

  DebugLog() = default;
  ~DebugLog();
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;

  // Opens (for appending) the file of this name in the host program's
  // folder, closing any file opened before.
  bool OpenLogFile(const std::u16string& name);
  // Locks the log and keeps the file name part of the source path and the
  // line for the entry that follows.
  [[nodiscard]] Entry SetSource(const char* sourcePath, int32_t line);
  void SetVerbosity(int32_t verbosity);

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
