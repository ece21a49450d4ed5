// ZIP archives shown as folders: the walk over the local headers that builds
// the folder tree, and the extraction of one entry.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

struct ZipEntry {
  int32_t dataOffset;
  int32_t compressedSize;  // -1 for a stored entry
  int32_t uncompressedSize;
};

class ZipDirectory {
 public:
  ZipDirectory() = default;
  explicit ZipDirectory(ZipDirectory* parent) : parent_(parent) {}
  ~ZipDirectory() { Clear(); }
  ZipDirectory(const ZipDirectory&) = delete;
  ZipDirectory& operator=(const ZipDirectory&) = delete;

  void Clear();
  // Recodes every folder and file name below this folder from the selected
  // code page to Windows-1251.
  void CopyConvertedNames();
  // Recodes the names with the given function (two names that become equal:
  // the later in map order wins).
  void RecodeNames(const std::function<std::string(const std::string&)>& recode);

  using Folders = std::map<std::string, std::unique_ptr<ZipDirectory>>;
  using Files = std::map<std::string, ZipEntry>;

  const Folders& folders() const { return folders_; }
  const Files& files() const { return files_; }
  ZipDirectory* parent() const { return parent_; }

 private:
  friend bool ReadZipArchive(const char16_t* path, ZipDirectory& root);
  Folders folders_;
  Files files_;
  ZipDirectory* parent_ = nullptr;
};

// Clears the root and fills it from the archive; false on a structural fault
// (the tree built so far stays).
bool ReadZipArchive(const char16_t* path, ZipDirectory& root);

// Writes the entry's uncompressed bytes to the target; false for an empty
// entry and for any fault of the archive or the target.
bool ExtractZipEntry(const char16_t* archivePath, const ZipEntry& entry, const char16_t* target);

// Where the reader extracts an entry: a folder of the user's own cache (not
// readable by others, never beside the user's files), one subfolder per
// archive, the entry's file name inside it. The folders are created; an
// empty result when that fails.
std::u16string ZipExtractionPath(const std::u16string& archivePath,
                                 const std::u16string& entryName);
