#include "engine/file_routines.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "platform/unicode.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opened for reading bytes; null for a folder, as on the handheld.
FileHandle OpenForReading(const std::u16string& path) {
  FileHandle file(std::fopen(Utf16ToUtf8(path).c_str(), "rb"));
  struct stat info;
  if (file && (fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode))) file.reset();
  return file;
}

}  // namespace

int64_t FileSizeBySeeking(const std::u16string& path) {
  FileHandle file = OpenForReading(path);
  if (!file || fseeko(file.get(), 0, SEEK_END) != 0) return -1;
  return ftello(file.get());
}

bool ReadFileToString(const std::u16string& path, std::string& out) {
  out.clear();
  FileHandle file = OpenForReading(path);
  if (!file) return false;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) out.append(chunk, got);
  if (std::ferror(file.get())) {
    out.clear();
    return false;
  }
  return true;
}
