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
  // The CRC-32 the archive gives for the uncompressed data, when known.
  uint32_t crc = 0;
  bool crcKnown = false;
};

class ZipDirectory {
 public:
  ZipDirectory() = default;
  explicit ZipDirectory(ZipDirectory* parent) : parent_(parent) {}
  ~ZipDirectory() { Clear(); }
  ZipDirectory(const ZipDirectory&) = delete;
  ZipDirectory& operator=(const ZipDirectory&) = delete;

  void Clear();
  // Recodes the names with the given function. A name that becomes equal
  // to another of its folder gets a number added (before a file's
  // extension), so every entry stays reachable; returns how many did.
  int RecodeNames(const std::function<std::string(const std::string&)>& recode);

  using Folders = std::map<std::string, std::unique_ptr<ZipDirectory>>;
  using Files = std::map<std::string, ZipEntry>;

  const Folders& folders() const { return folders_; }
  const Files& files() const { return files_; }
  ZipDirectory* parent() const { return parent_; }

 private:
  friend class ArchiveWalk;
  // Stores the entry under the name, or under a numbered name when another
  // file of the folder has it; the name it is stored under.
  std::string AddFile(const std::string& name, const ZipEntry& entry);
  Folders folders_;
  Files files_;
  ZipDirectory* parent_ = nullptr;
};

// Clears the root and fills it from the archive. An archive that breaks
// off (cut short, or damaged past some entry) shows the entries before the
// break, with a warning; false when not even one entry can be read.
bool ReadZipArchive(const char16_t* path, ZipDirectory& root);

// The most the reader takes out of an archive for one entry.
constexpr int64_t kLargestExtractedEntry = int64_t{256} << 20;

// Writes the entry's uncompressed bytes to the target. False, with a
// message saying why, when nothing readable could be taken out (an empty
// entry, an entry larger than kLargestExtractedEntry, a fault of the
// archive or the target). Data that does not match its CRC-32 or its size
// is kept as far as it could be read, with a warning that it is damaged.
bool ExtractZipEntry(const char16_t* archivePath, const ZipEntry& entry, const char16_t* target);

// Where the reader extracts an entry: a folder of the user's own cache (not
// readable by others, never beside the user's files), one subfolder per
// entry of an archive (entries of one name in different folders stay
// apart), the entry's file name inside it. The folders are created; an
// empty result when that fails, and then `problem`, when given, says why
// for the user: the folder that cannot be had and the cause (not a folder,
// another user's, cannot be made).
std::u16string ZipExtractionPath(const std::u16string& archivePath, const ZipEntry& entry,
                                 const std::u16string& entryName,
                                 std::u16string* problem = nullptr);

// Removes what a run that was killed left in the extraction folders: the
// temporaries of unfinished extractions, and every extracted document but
// the one named (the open document, or empty for none); files changed in
// the last minutes stay, as another reader may be using them.
void RemoveExtractionLeftovers(const std::u16string& keep);
