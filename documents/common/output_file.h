// The target of a conversion. It is written under a temporary name beside
// the target and renamed over it only when the conversion succeeded, so a
// crash or a failure never leaves a partial file that could later be taken
// as converted text.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Fails when the target names the source (same path, or the same file).
  bool Open(const char16_t* source, const char16_t* target);
  // A target written from memory: no source to tell apart. The temporary
  // is created exclusively (never through a link planted beside the target).
  bool Create(const char16_t* target);
  bool Write(const void* bytes, size_t n);
  bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
  // Closes the temporary file and renames it over the target; true when
  // every write and the rename succeeded.
  bool Commit();

 private:
  void Discard();

  std::FILE* file_ = nullptr;
  std::string temporaryPath_;
  std::string targetPath_;
  bool failed_ = false;
};

// Whether the two paths name the same existing file (or are equal).
bool IsSameFile(const char16_t* a, const char16_t* b);
