// TextFile: a thin class over a buffered C stream with UTF-16 file names,
// and the file helpers built on it.
//
// File names are UTF-16 and are handed to the system as UTF-8. Mode strings
// are those of the Windows runtime ("rt", "rb", "w", "ab", ...): a mode
// without 'b' opens the file in text mode, in which every "\r\n" read from
// the file comes back as "\n", so files written on Windows read the same as
// files written here; "b" reads the bytes unchanged. Writes are never
// translated.
//
// Every operation on a closed file does nothing and returns false, 0 or an
// empty string. Nothing throws.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/types.h"

class TextFile {
 public:
  TextFile();
  TextFile(const char16_t* path, const char16_t* mode);
  virtual ~TextFile();

  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  TextFile(TextFile&& other) noexcept;
  TextFile& operator=(TextFile&& other) noexcept;

  // Closes any open file, records the size from GetFileSizeOf and opens the
  // file with the given mode. Returns IsOpen().
  bool Open(const char16_t* path, const char16_t* mode);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // Open and the stream's end-of-file indicator is set.
  bool IsEof() const;
  // The stream's error indicator.
  bool HasError() const;

  bool Rewind();
  // Seeks by n bytes from the current position.
  bool Skip(LONG n);
  // Rewind, then Skip(n).
  bool Seek(LONG n);
  // The current position; 0 when closed.
  LONG Tell() const;
  // The size in bytes recorded when the file was opened.
  DWORD GetSize() const { return size_; }

  // Reads the next word of non-blank bytes, skipping blanks before it. At
  // the end of the file the word ends (it may be empty) and the result is
  // true; a stream error clears the word and gives false.
  bool ReadWord(std::string& out);
  // Reads one line of at most 9999 bytes (a longer line comes back in
  // pieces) and removes its final "\n". At the end of the file or on a
  // stream error the string is empty and the result false.
  bool ReadLine(std::string& out);

  // Reads up to n bytes; returns the count read.
  size_t Read(void* buffer, size_t n);
  // Resizes the string to n, reads into it and shrinks it to the count read.
  size_t ReadIntoString(std::string& out, size_t n);
  size_t ReadIntoBuffer(std::vector<BYTE>& out, size_t n);
  // Reads up to n bytes; the string receives the bytes up to the first NUL.
  // Returns the count read.
  size_t ReadText(std::string& out, size_t n);
  // One unsigned length byte, then that many bytes. A file that ends before
  // the string does gives false and an empty string.
  bool ReadShortString(std::string& out);
  // Four bytes as a little-endian signed integer; 0 when fewer than four
  // bytes are left.
  INT ReadInt32();

  // Writes the text without terminator.
  bool WriteString(const std::string& text);
  // The text, then "\n".
  bool WriteLine(const std::string& text);
  bool WriteNewLine();
  // The value in decimal ("%i").
  bool WriteInt(INT value);
  // True when all n bytes were written.
  bool Write(const void* buffer, size_t n);
  bool Write(const std::vector<BYTE>& bytes);
  bool Write(const std::string& bytes);
  bool Flush();

 private:
  // One byte, with "\r\n" read as "\n" in text mode; EOF at the end or on
  // an error. The caller holds the stream's lock.
  int GetByteLocked();

  std::FILE* file_ = nullptr;
  DWORD size_ = 0;
  bool textMode_ = false;
};

// The size of an existing regular file in bytes (its low 32 bits); 0 when the
// file cannot be opened or its size cannot be read.
DWORD GetFileSizeOf(const char16_t* path);
// Whether the file can be opened for reading in mode "rb".
bool FileExists(const char16_t* path);

// Reads the file in text mode line by line, trims each line with Trim and
// keeps the lines that are not empty and do not begin with the comment
// character. The list is cleared first; a file that cannot be opened gives
// an empty list and false.
bool ReadLinesFrom(const char16_t* path, char comment, std::vector<std::string>& out);
bool ReadLines(const char16_t* path, std::vector<std::string>& out, char comment);

