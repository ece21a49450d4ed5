#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "documents/common/file_reading.h"
#include "documents/common/little_endian.h"
#include "documents/zip/zip_archive.h"
#include "documents/zip/zip_central_directory.h"
#include "documents/zip/zip_stream_end.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/message_box.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kLocalHeaderSize = 30;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Folders deeper than this are not shown: the tree is walked (and freed)
// recursively, and a name of 64 KB could otherwise nest 32000 folders.
constexpr size_t kMostPathPieces = 100;

struct LocalHeader {
  uint32_t signature;
  uint16_t flags;
  uint16_t method;
  uint32_t crc;
  uint64_t compressedSize;
  uint64_t uncompressedSize;
  uint16_t nameLength;
  uint16_t extraLength;
};

LocalHeader ParseHeader(const uint8_t* h) {
  return {ReadLittleEndian32(h),      ReadLittleEndian16(h + 6),  ReadLittleEndian16(h + 8),
          ReadLittleEndian32(h + 14), ReadLittleEndian32(h + 18), ReadLittleEndian32(h + 22),
          ReadLittleEndian16(h + 26), ReadLittleEndian16(h + 28)};
}

bool SeekTo(TextFile& file, uint64_t position) {
  return position <= 0x7fffffff && file.Seek(static_cast<LONG>(position));
}

// Why an entry is not listed; each reason is reported with its own count.
enum SkipReason { kUnsupportedMethod, kEncrypted, kUnsafeName, kTooDeep, kTooLarge, kReasons };

constexpr std::array<const char*, kReasons> kSkipWarnings = {
    "Warning: %i files with unsupported compression method were met! Must be storing or "
    "deflating!",
    "Warning: %i encrypted files were met! They are left out.",
    "Warning: %i files with names leading out of their folder were met! They are left out.",
    "Warning: %i files nested in more than 100 folders were met! They are left out.",
    "Warning: %i files larger than 2 GB were met! They are left out.",
};

// The header's sizes, or the central directory's when the header has none
// (written with a data descriptor, or in a zip64 field): read once, when
// first needed; without a directory, a deflated entry's own stream. Sets
// next to where the next header starts; false when the sizes cannot be had.
class EntrySizes {
 public:
  explicit EntrySizes(TextFile& file) : file_(file) {}

  bool Complete(uint64_t headerOffset, LocalHeader& header, uint64_t& next) {
    const uint64_t dataOffset =
        headerOffset + kLocalHeaderSize + header.nameLength + header.extraLength;
    const bool inHeader = (header.flags & kFlagDataDescriptor) == 0 &&
                          header.compressedSize != kZipInZip64Field &&
                          header.uncompressedSize != kZipInZip64Field;
    if (inHeader) {
      next = dataOffset + header.compressedSize;
      return true;
    }
    if (!read_) {
      read_ = true;
      found_ = ReadCentralDirectory(file_, directory_);
    }
    if (!found_) return FromStream(dataOffset, header, next);
    const auto entry = directory_.byLocalOffset.find(headerOffset);
    if (entry == directory_.byLocalOffset.end()) return false;
    header.crc = entry->second.crc;
    header.compressedSize = entry->second.compressedSize;
    header.uncompressedSize = entry->second.uncompressedSize;
    // The data descriptor, of whichever size, ends where the next entry
    // begins.
    const auto following = directory_.byLocalOffset.upper_bound(headerOffset);
    next = following != directory_.byLocalOffset.end() ? following->first : directory_.start;
    return dataOffset + header.compressedSize <= next;
  }

 private:
  // Without a directory (an archive cut short) a deflated entry's stream
  // tells where it ends.
  bool FromStream(uint64_t dataOffset, LocalHeader& header, uint64_t& next) {
    DeflatedExtent extent{};
    if (header.method != kMethodDeflated || !FindDeflatedExtent(file_, dataOffset, extent)) {
      return false;
    }
    header.crc = extent.crc;
    header.compressedSize = extent.compressedSize;
    header.uncompressedSize = extent.uncompressedSize;
    next = extent.next;
    return true;
  }

  TextFile& file_;
  bool read_ = false;
  bool found_ = false;
  CentralDirectory directory_;
};

// Names that could leave the folder they are extracted to are not listed.
bool IsUnsafeName(const std::string& name, const std::vector<std::string>& pieces) {
  if (name.front() == '/' || name.find('\\') != std::string::npos) return true;
  for (const std::string& piece : pieces) {
    if (piece == "..") return true;
  }
  return false;
}

// Names flagged as UTF-8 (by their own pieces) and names that are Russian
// UTF-8 are decoded as such; the others are recoded from the code page detected
// over them. Returns how many names got a number to stay apart.
int RecodeNames(ZipDirectory& root, const std::string& otherNames,
                const std::set<std::string>& utf8Pieces) {
  CodePageConverter& converter = GlobalCodePageConverter();
  const int32_t detected =
      otherNames.empty() ? kCodePageWin : DetectCodePage(converter, otherNames);
  const bool recodeOthers = detected != kCodePageWin && detected != kCodePageUtf8;
  const int32_t previous = recodeOthers ? converter.Select(detected, 1) : 0;
  const char def = static_cast<char>(converter.DefaultChar());
  const int renamed = root.RecodeNames([&](const std::string& name) {
    if (utf8Pieces.count(name) != 0 || IsRussianUtf8(name)) {
      std::string narrow;
      AppendUtf8AsWindows1251(name.data(), name.size(), {def, def, ' '}, narrow);
      return narrow;
    }
    return recodeOthers ? converter.Converted(name) : name;
  });
  if (recodeOthers) converter.SetTable(previous);
  return renamed;
}

// One warning box; format holds one %i for the count.
void WarnCount(const char* format, int count) {
  char text[200];
  std::snprintf(text, sizeof text, format, count);
  MessageBoxW(nullptr, NarrowToWide(text).c_str(), u"Warning", MB_OK);
}

void WarnRenamed(int renamed) {
  if (renamed == 0) return;
  WarnCount("Warning: %i names became equal to another name of their folder when shown! "
            "They are shown with a number added.",
            renamed);
}

void WarnSkipped(const std::array<int, kReasons>& skipped) {
  for (size_t reason = 0; reason < kReasons; ++reason) {
    if (skipped[reason] != 0) WarnCount(kSkipWarnings[reason], skipped[reason]);
  }
}

}  // namespace

// The walk over the local headers, one entry a step.
class ArchiveWalk {
 public:
  ArchiveWalk(TextFile& file, ZipDirectory& root)
      : file_(file), root_(root), fileSize_(file.GetSize()), sizes_(file) {}

  // Reads the next entry; false at the archive's directory, or where the
  // walk cannot go on (then brokenAt() tells where).
  bool Step() {
    const uint64_t headerOffset = static_cast<uint64_t>(file_.Tell());
    uint8_t raw[kLocalHeaderSize];
    // The signature alone first: the end record (22 bytes, all an empty
    // archive holds) is shorter than a local header.
    if (!ReadExactly(file_, raw, 4)) return Broken(headerOffset);
    const uint32_t signature = ReadLittleEndian32(raw);
    if (signature == kZipCentralEntrySignature || signature == kZipEndSignature) return false;
    if (!ReadExactly(file_, raw + 4, sizeof raw - 4)) return Broken(headerOffset);
    LocalHeader header = ParseHeader(raw);
    if (header.signature != kZipLocalHeaderSignature || header.nameLength == 0) {
      return Broken(headerOffset);
    }
    uint64_t next = 0;
    // Without its sizes the entry's end cannot be found.
    if (!sizes_.Complete(headerOffset, header, next)) return Broken(headerOffset);
    if (file_.ReadIntoString(name_, header.nameLength) != header.nameLength) {
      return Broken(headerOffset);
    }
    ++entries_;
    const uint64_t dataOffset = headerOffset + kLocalHeaderSize + name_.size() + header.extraLength;
    // An entry whose data the file ends inside (a download cut short) is
    // listed: what there is of it can be taken out.
    const bool dataThere = dataOffset < fileSize_ || next <= fileSize_;
    if (name_.back() != '/' && dataThere) Add(header, dataOffset);
    if (next > fileSize_) return Broken(fileSize_);
    return SeekTo(file_, next) || Broken(next);
  }

  // Recodes the names and tells what was left out, numbered or cut off.
  void Finish() {
    const int renamed = RecodeNames(root_, otherNames_, utf8Pieces_);
    WarnSkipped(skipped_);
    WarnRenamed(renamed);
    if (duplicates_ != 0) {
      WarnCount("Warning: %i files have the name of another file of their folder! They are "
                "shown with a number added.",
                duplicates_);
    }
    if (brokenAt_ >= 0) {
      char text[200];
      std::snprintf(text, sizeof text,
                    "Warning: the archive breaks off at byte %lld (cut short or damaged): "
                    "only the files before that are shown.",
                    static_cast<long long>(brokenAt_));
      MessageBoxW(nullptr, NarrowToWide(text).c_str(), u"Warning", MB_OK);
    }
  }

  int entries() const { return entries_; }
  int64_t brokenAt() const { return brokenAt_; }

 private:
  bool Broken(uint64_t at) {
    brokenAt_ = static_cast<int64_t>(at);
    return false;
  }

  void Add(const LocalHeader& header, uint64_t dataOffset) {
    int reason = kReasons;
    if ((header.flags & kFlagEncrypted) != 0) {
      reason = kEncrypted;
    } else if (header.method != kMethodStored && header.method != kMethodDeflated) {
      reason = kUnsupportedMethod;
    } else if (header.compressedSize > kZipLargestEntry ||
               header.uncompressedSize > kZipLargestEntry || dataOffset > kZipLargestEntry) {
      reason = kTooLarge;
    }
    SplitByAny(name_, pieces_, "/");
    if (reason == kReasons) {
      if (pieces_.size() > kMostPathPieces) reason = kTooDeep;
      if (pieces_.empty() || IsUnsafeName(name_, pieces_)) reason = kUnsafeName;
    }
    if (reason != kReasons) {
      ++skipped_[reason];
      return;
    }
    const bool utf8 = (header.flags & kFlagUtf8Name) != 0;
    if (utf8) {
      utf8Pieces_.insert(pieces_.begin(), pieces_.end());
    } else if (!IsRussianUtf8(name_)) {
      otherNames_ += name_;
    }
    // A folder and a file of one name live side by side, as two files of
    // one name do (the later one numbered): each entry is taken out by
    // where it lies in the archive, never by its name.
    ZipDirectory* folder = &root_;
    for (size_t i = 0; i + 1 < pieces_.size(); ++i) {
      std::unique_ptr<ZipDirectory>& child = folder->folders_[pieces_[i]];
      if (!child) child = std::make_unique<ZipDirectory>(folder);
      folder = child.get();
    }
    const auto compressed =
        header.method == kMethodStored ? -1 : static_cast<int32_t>(header.compressedSize);
    const std::string stored = folder->AddFile(
        pieces_.back(), {static_cast<int32_t>(dataOffset), compressed,
                         static_cast<int32_t>(header.uncompressedSize), header.crc, true});
    if (stored != pieces_.back()) {
      ++duplicates_;
      if (utf8) utf8Pieces_.insert(stored);
    }
  }

  TextFile& file_;
  ZipDirectory& root_;
  const uint64_t fileSize_;
  EntrySizes sizes_;
  std::string otherNames_;
  std::set<std::string> utf8Pieces_;
  std::string name_;
  std::vector<std::string> pieces_;
  std::array<int, kReasons> skipped_{};
  int entries_ = 0;
  int duplicates_ = 0;
  int64_t brokenAt_ = -1;
};

bool ReadZipArchive(const char16_t* path, ZipDirectory& root) {
  root.Clear();
  TextFile file(path, u"rb");
  if (!file.IsOpen()) return false;
  ArchiveWalk walk(file, root);
  while (walk.Step()) {
  }
  // A file that breaks off before its first entry is no archive.
  if (walk.brokenAt() >= 0 && walk.entries() == 0) return false;
  walk.Finish();
  return true;
}
