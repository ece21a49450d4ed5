// Small data files made by the tests: a folder of their own, word files,
// mask-base files and text files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"

// A fresh folder for one test, removed with the object.
class TestFolder {
 public:
  TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::path(::testing::TempDir()) /
            (std::string(info->test_suite_name()) + "-" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() { std::filesystem::remove_all(path_); }

  // The folder with a trailing separator, as a data path.
  std::u16string Wide() const { return NarrowToWide(path_.string() + "/"); }
  std::string Narrow() const { return path_.string(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string LittleEndian32(uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}

// A word file: the count, then the records as given (they must already be
// in the file's order).
inline void WriteWordFile(const std::filesystem::path& folder, const std::string& stem, int length,
                          const std::vector<std::string>& records) {
  std::string bytes = LittleEndian32(static_cast<uint32_t>(records.size()));
  for (const std::string& record : records) {
    EXPECT_EQ(record.size(), static_cast<size_t>(length)) << record;
    bytes += record;
  }
  WriteBytes(folder / (stem + std::to_string(length)), bytes);
}

// Empty word files for every length of [first, last) that has none yet.
inline void FillWordFiles(const std::filesystem::path& folder, const std::string& stem, int first,
                          int last) {
  for (int n = first; n <= last; ++n)
    if (!std::filesystem::exists(folder / (stem + std::to_string(n))))
      WriteWordFile(folder, stem, n, {});
}

// A complete stress dictionary and yo base from the given files.
inline void CompleteLexicon(const std::filesystem::path& folder) {
  FillWordFiles(folder, "endsg3.dat", 1, 19);
  FillWordFiles(folder, "wordsg3.dat", 2, 24);
  FillWordFiles(folder, "jog3.dat", 1, 21);
}

// A mask word list: entries (pattern, "left|right", result) laid out one
// after another, and the index of their offsets.
struct MaskListEntry {
  std::string pattern;
  std::string context;
  std::string result;
};

inline void WriteMaskList(const std::filesystem::path& folder, const std::string& name,
                          const std::vector<MaskListEntry>& entries) {
  std::string words, index;
  const auto counted = [&](const std::string& text) {
    words.push_back(static_cast<char>(text.size()));
    words += text;
  };
  for (const MaskListEntry& entry : entries) {
    index.push_back(static_cast<char>(words.size() & 0xFF));
    index.push_back(static_cast<char>(words.size() >> 8));
    counted(entry.pattern);
    counted(entry.context);
    counted(entry.result);
  }
  WriteBytes(folder / (name + ".wds"), words);
  WriteBytes(folder / (name + ".idx"), index);
}
