// The target of a conversion. It is written under a temporary name beside
// the target and renamed over it only when the conversion succeeded, so a
// crash or a failure never leaves a partial file that could later be taken
// as converted text. It writes within the process's OutputLimits: passing
// them, or a failing write, stops the writing with a message, and the
// partial file goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "documents/common/output_budget.h"
#include "platform/atomic_file.h"

// Text never holds NUL bytes (they become blanks); binary output is kept
// as it is.
enum class OutputContent { kText, kBinary };
// Who tells the user that the file cannot be written: the file itself (by
// its path), or the caller, which names the user's document instead.
enum class WriteFailures { kSaid, kLeftToCaller };

class OutputFile {
 public:
  explicit OutputFile(OutputContent content = OutputContent::kText,
                      WriteFailures failures = WriteFailures::kSaid)
      : text_(content == OutputContent::kText), sayFailures_(failures == WriteFailures::kSaid) {}
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Fails when the target names the source (same path, or the same file),
  // or when the announced size (0: unknown) would pass the limits.
  bool Open(const char16_t* source, const char16_t* target, int64_t announcedSize = 0);
  // A target written from memory: no source to tell apart. A target that
  // is there and is no regular file is refused, with a message.
  bool Create(const char16_t* target, int64_t announcedSize = 0);
  // False once a write failed or the limits were passed.
  bool Write(const void* bytes, size_t n);
  bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
  // Closes the temporary file and renames it over the target; true when
  // every write and the rename succeeded.
  bool Commit();
  // Whether writing stopped at the process's OutputLimits (which said why).
  bool LimitsPassed() const { return budget_.Exceeded(); }
  // Why a write, the closing or the renaming failed, in words for a message.
  std::u16string FailureWords() const;

 private:
  void Discard();
  void Stopped();

  bool text_;
  bool sayFailures_;
  int failureReason_ = 0;
  OutputBudget budget_;
  std::string withoutNul_;
  AtomicFile file_;
  std::string targetPath_;
  bool failed_ = false;
};

// Whether the two paths name the same existing file (or are equal).
bool IsSameFile(const char16_t* a, const char16_t* b);
