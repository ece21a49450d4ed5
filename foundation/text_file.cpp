#include "foundation/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cinttypes>

#include "foundation/string_utils.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kLineBufferSize = 10000;

// The Windows mode string as the C library here takes it: the letters that
// mean the same on both systems are kept ('t' and the Windows-only flags are
// dropped). textMode is set when the mode has no 'b'.
std::string SystemMode(const char16_t* mode, bool& textMode) {
  std::string out;
  textMode = true;
  for (const char16_t* p = mode; *p; ++p) {
    switch (*p) {
      case u'r':
      case u'w':
      case u'a':
      case u'+':
      case u'x':
        out.push_back(static_cast<char>(*p));
        break;
      case u'b':
        textMode = false;
        out.push_back('b');
        break;
      default:
        break;
    }
  }
  return out;
}

// The open(2) flags of a mode that SystemMode made.
int OpenFlags(const std::string& mode) {
  const bool both = mode.find('+') != std::string::npos;
  int flags = both ? O_RDWR : mode[0] == 'r' ? O_RDONLY : O_WRONLY;
  if (mode[0] == 'w') flags |= O_CREAT | O_TRUNC;
  if (mode[0] == 'a') flags |= O_CREAT | O_APPEND;
  if (mode.find('x') != std::string::npos) flags |= O_EXCL;
  return flags;
}

bool IsRegular(const struct stat& st) { return S_ISREG(st.st_mode); }

// Only regular files are opened: opening a pipe waits for its other end for
// good, and a folder or a device is no document. The file is opened without
// waiting and checked again, in case the name was replaced in between.
std::FILE* OpenRegular(const std::string& path, const std::string& mode) {
  if (mode.empty() || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return nullptr;
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && !IsRegular(st)) return nullptr;
  const int fd = open(path.c_str(), OpenFlags(mode) | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  if (fstat(fd, &st) != 0 || !IsRegular(st)) {
    close(fd);
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, mode.c_str());
  if (file == nullptr) close(fd);
  return file;
}

// File names are UTF-8 here.
std::string SystemPath(const char16_t* path) { return Utf16ToUtf8(path); }

}  // namespace

DWORD GetFileSizeOf(const char16_t* path) {
  if (!path) return 0;
  // Never opened: a pipe would block the open.
  const std::string name = SystemPath(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0 || !IsRegular(st) || access(name.c_str(), R_OK) != 0) return 0;
  return static_cast<DWORD>(st.st_size);
}

bool FileExists(const char16_t* path) { return TextFile(path, u"rb").IsOpen(); }

bool ReadLinesFrom(const char16_t* path, char comment, std::vector<std::string>& out) {
  out.clear();
  TextFile file(path, u"rt");
  if (!file.IsOpen()) return false;
  std::string line;
  while (!file.IsEof() && !file.HasError()) {
    if (!file.ReadLine(line)) break;
    Trim(line);
    if (!line.empty() && line[0] != comment) out.push_back(line);
  }
  return true;
}

bool ReadLines(const char16_t* path, std::vector<std::string>& out, char comment) {
  return ReadLinesFrom(path, comment, out);
}

TextFile::TextFile() = default;

TextFile::TextFile(const char16_t* path, const char16_t* mode) { Open(path, mode); }

TextFile::~TextFile() { Close(); }

TextFile::TextFile(TextFile&& other) noexcept
    : file_(other.file_), size_(other.size_), textMode_(other.textMode_) {
  other.file_ = nullptr;
  other.size_ = 0;
}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = other.file_;
    size_ = other.size_;
    textMode_ = other.textMode_;
    other.file_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

bool TextFile::Open(const char16_t* path, const char16_t* mode) {
  Close();
  if (!path || !mode) return false;
  size_ = GetFileSizeOf(path);
  const std::string systemMode = SystemMode(mode, textMode_);
  file_ = OpenRegular(SystemPath(path), systemMode);
  if (!file_) size_ = 0;
  return IsOpen();
}

void TextFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
}

bool TextFile::IsEof() const { return file_ && std::feof(file_); }

bool TextFile::HasError() const { return file_ && std::ferror(file_); }

bool TextFile::Rewind() { return file_ && std::fseek(file_, 0, SEEK_SET) == 0; }

bool TextFile::Skip(LONG n) { return file_ && std::fseek(file_, n, SEEK_CUR) == 0; }

bool TextFile::Seek(LONG n) { return Rewind() && Skip(n); }

LONG TextFile::Tell() const { return file_ ? static_cast<LONG>(std::ftell(file_)) : 0; }

int TextFile::GetByteLocked() {
  const int c = getc_unlocked(file_);
  if (c != '\r' || !textMode_) return c;
  const int next = getc_unlocked(file_);
  if (next == '\n') return '\n';
  if (next != EOF) std::ungetc(next, file_);
  return c;
}

bool TextFile::ReadWord(std::string& out) {
  out.clear();
  if (!file_) return false;
  flockfile(file_);
  bool ok = true;
  while (!std::feof(file_)) {
    const int c = GetByteLocked();
    if (c == EOF) {
      if (std::ferror(file_)) {
        out.clear();
        ok = false;
      }
      break;
    }
    if (!std::isspace(c)) {
      out.push_back(static_cast<char>(c));
    } else if (!out.empty()) {
      break;
    }
  }
  funlockfile(file_);
  return ok;
}

bool TextFile::ReadLine(std::string& out) {
  out.clear();
  if (!file_) return false;
  flockfile(file_);
  bool failed = false;
  while (out.size() < kLineBufferSize - 1) {
    const int c = GetByteLocked();
    if (c == EOF) {
      failed = std::ferror(file_) != 0;
      break;
    }
    out.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  funlockfile(file_);
  if (failed || out.empty()) {
    out.clear();
    return false;
  }
  if (out.back() == '\n') out.pop_back();
  return true;
}

size_t TextFile::Read(void* buffer, size_t n) {
  if (!file_ || !buffer || n == 0) return 0;
  if (!textMode_) return std::fread(buffer, 1, n, file_);
  char* bytes = static_cast<char*>(buffer);
  size_t count = 0;
  flockfile(file_);
  while (count < n) {
    const int c = GetByteLocked();
    if (c == EOF) break;
    bytes[count++] = static_cast<char>(c);
  }
  funlockfile(file_);
  return count;
}

size_t TextFile::ReadIntoString(std::string& out, size_t n) {
  out.resize(n);
  const size_t count = Read(out.data(), n);
  out.resize(count);
  return count;
}

size_t TextFile::ReadIntoBuffer(std::vector<BYTE>& out, size_t n) {
  out.resize(n);
  const size_t count = Read(out.data(), n);
  out.resize(count);
  return count;
}

size_t TextFile::ReadText(std::string& out, size_t n) {
  // Room for the n bytes and the terminating NUL.
  std::vector<char> buffer(n + 1);
  const size_t count = Read(buffer.data(), n);
  buffer[count] = '\0';
  out.assign(buffer.data());
  return count;
}

bool TextFile::ReadShortString(std::string& out) {
  out.clear();
  unsigned char length = 0;
  if (Read(&length, 1) != 1) return false;
  if (ReadIntoString(out, length) != length) {
    out.clear();
    return false;
  }
  return true;
}

INT TextFile::ReadInt32() {
  unsigned char bytes[4];
  if (Read(bytes, sizeof bytes) != sizeof bytes) return 0;
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) |
                         (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<INT>(value);
}

bool TextFile::Write(const void* buffer, size_t n) {
  if (!file_) return false;
  if (n == 0) return true;
  return buffer && std::fwrite(buffer, 1, n, file_) == n;
}

bool TextFile::Write(const std::vector<BYTE>& bytes) { return Write(bytes.data(), bytes.size()); }

bool TextFile::Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }

bool TextFile::WriteString(const std::string& text) { return Write(text); }

bool TextFile::WriteNewLine() { return Write("\n", 1); }

bool TextFile::WriteLine(const std::string& text) {
  const bool wroteText = WriteString(text);
  const bool wroteEnd = WriteNewLine();
  return wroteText && wroteEnd;
}

bool TextFile::WriteInt(INT value) {
  return file_ && std::fprintf(file_, "%" PRIi32, value) > 0;
}

bool TextFile::Flush() { return file_ && std::fflush(file_) == 0; }
