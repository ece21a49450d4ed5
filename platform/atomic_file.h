// A file written whole or not at all: the bytes go to a temporary of its
// own beside the target ("<target>.partXXXXXX", created exclusively, so a
// link planted there is never written through) and are renamed over the
// target once everything is written. A target that exists and is neither a
// regular file nor a link is refused: the rename would put a file in the
// place of a device, a pipe or a folder. A link in the target's place is
// replaced, never followed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/types.h"

class PLATFORM_API AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Discard(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary. It gets the mode of the file it replaces, or that
  // of any new file of the user.
  bool Create(const std::string& target);
  // False once a write failed.
  bool Write(const void* bytes, size_t n);
  bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
  // Closes the temporary and renames it over the target; true when every
  // write and the rename succeeded. The temporary is gone either way.
  bool Commit();
  // Drops the temporary, leaving the target as it was.
  void Discard();

  // Why Create, Write or Commit failed: the system's error number, or
  // kNotRegularFile.
  int Error() const { return error_; }
  // The same in words, for a message.
  std::string Reason() const;
  const std::string& TemporaryPath() const { return temporaryPath_; }
  std::FILE* Stream() { return file_; }

  static constexpr int kNotRegularFile = -1;
  // The temporary's name is the target's, this and six letters or digits.
  static constexpr char kTemporarySuffix[] = ".part";

 private:
  bool Fail(int error);

  std::FILE* file_ = nullptr;
  std::string temporaryPath_;
  std::string targetPath_;
  int error_ = 0;
};

// The whole text written atomically; on failure `reason` (when given) says
// why.
PLATFORM_API bool WriteFileAtomically(const std::string& target, const std::string& bytes,
                         std::string* reason = nullptr);
