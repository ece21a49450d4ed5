// Scratch files for the tests and a writer for hand-made compiled bases.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"

// A directory of its own, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tonvar-test-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::u16string WidePath(const std::string& name) const {
    std::u16string wide;
    Utf8ToWide(Path(name), wide, u'?');
    return wide;
  }
  std::u16string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return WidePath(name);
  }
  std::string Folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

// Bytes of a compiled base, written field by field.
class BaseBytes {
 public:
  BaseBytes& Int32(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>(bits >> shift));
    return *this;
  }
  BaseBytes& Str(const std::string& text) {
    bytes_.push_back(static_cast<char>(text.size()));
    bytes_ += text;
    return *this;
  }
  BaseBytes& Byte(uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  BaseBytes& Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
    Int32(static_cast<int32_t>(pairs.size()));
    for (const auto& [key, value] : pairs) Str(key).Str(value);
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};
