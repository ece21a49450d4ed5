#include <cstdio>
#include <string>
#include <vector>

#include "documents/common/file_reading.h"
#include "documents/common/little_endian.h"
#include "documents/zip/zip_archive.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/message_box.h"

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralDirectorySignature = 0x02014b50;
constexpr size_t kLocalHeaderSize = 30;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Folders deeper than this are not shown: the tree is walked (and freed)
// recursively, and a name of 64 KB could otherwise nest 32000 folders.
constexpr size_t kMostPathPieces = 100;


struct LocalHeader {
  uint32_t signature;
  uint16_t flags;
  uint16_t method;
  uint32_t compressedSize;
  uint32_t uncompressedSize;
  uint16_t nameLength;
  uint16_t extraLength;
};

LocalHeader ParseHeader(const uint8_t* h) {
  return {ReadLittleEndian32(h), ReadLittleEndian16(h + 6), ReadLittleEndian16(h + 8), ReadLittleEndian32(h + 18), ReadLittleEndian32(h + 22), ReadLittleEndian16(h + 26),
          ReadLittleEndian16(h + 28)};
}

bool SkipBytes(TextFile& file, int64_t n) {
  const int64_t position = static_cast<int64_t>(file.Tell()) + n;
  return position <= 0x7fffffff && file.Seek(static_cast<LONG>(position));
}

// Names that could leave the folder they are extracted to are not listed.
bool IsUnsafeName(const std::string& name, const std::vector<std::string>& pieces) {
  if (name.front() == '/' || name.find('\\') != std::string::npos) return true;
  for (const std::string& piece : pieces) {
    if (piece == "..") return true;
  }
  return false;
}

void RecodeNames(ZipDirectory& root, const std::string& allNames) {
  CodePageConverter& converter = GlobalCodePageConverter();
  const int32_t detected = DetectCodePage(converter, allNames);
  if (detected == kCodePageWin) return;
  if (detected == kCodePageUtf8) {
    root.RecodeNames([&converter](const std::string& name) {
      std::u16string wide;
      Utf8ToWide(name, wide, u' ');
      std::string narrow;
      converter.FromWide(wide, narrow);
      return narrow;
    });
    return;
  }
  const int32_t previous = converter.Select(detected, 1);
  root.CopyConvertedNames();
  converter.SetTable(previous);
}

void WarnSkipped(int skipped) {
  char text[160];
  std::snprintf(text, sizeof text,
                "Warning: %i files with unsupported compression method were met! Must be "
                "storing or deflating!",
                skipped);
  MessageBoxW(nullptr, NarrowToWide(text).c_str(), u"Warning", MB_OK);
}

}  // namespace

bool ReadZipArchive(const char16_t* path, ZipDirectory& root) {
  root.Clear();
  TextFile file(path, u"rb");
  if (!file.IsOpen()) return false;
  std::string allNames;
  std::string name;
  std::vector<std::string> pieces;
  int skipped = 0;
  for (;;) {
    uint8_t raw[kLocalHeaderSize];
    if (!ReadExactly(file, raw, sizeof raw)) return false;
    const LocalHeader header = ParseHeader(raw);
    if (header.signature == kCentralDirectorySignature) break;
    if (header.signature != kLocalHeaderSignature || header.nameLength == 0) return false;
    const bool usable = (header.method == kMethodStored || header.method == kMethodDeflated) &&
                        (header.flags & (kFlagEncrypted | kFlagDataDescriptor)) == 0;
    if (!usable) {
      ++skipped;
      // Without sizes in its header the entry's end cannot be found: the
      // walk ends with what it has.
      if ((header.flags & kFlagDataDescriptor) != 0 && header.compressedSize == 0) break;
      if (!SkipBytes(file, static_cast<int64_t>(header.nameLength) + header.extraLength +
                               header.compressedSize)) {
        return false;
      }
      continue;
    }
    if (file.ReadIntoString(name, header.nameLength) != header.nameLength) return false;
    allNames += name;
    if (!SkipBytes(file, header.extraLength)) return false;
    if (name.back() == '/') continue;
    SplitByAny(name, pieces, "/");
    const int64_t dataOffset = file.Tell();
    if (pieces.empty() || pieces.size() > kMostPathPieces || IsUnsafeName(name, pieces)) {
      if (!SkipBytes(file, header.compressedSize)) return false;
      continue;
    }
    if (dataOffset > 0x7fffffff || header.compressedSize > 0x7fffffff) return false;
    ZipDirectory* folder = &root;
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
      if (folder->files_.count(pieces[i]) != 0) return false;
      std::unique_ptr<ZipDirectory>& child = folder->folders_[pieces[i]];
      if (!child) child = std::make_unique<ZipDirectory>(folder);
      folder = child.get();
    }
    if (folder->files_.count(pieces.back()) != 0) return false;
    const auto compressed = header.method == kMethodStored
                                ? -1
                                : static_cast<int32_t>(header.compressedSize);
    folder->files_[pieces.back()] = {static_cast<int32_t>(dataOffset), compressed,
                                     static_cast<int32_t>(header.uncompressedSize)};
    if (!SkipBytes(file, header.compressedSize)) return false;
  }
  RecodeNames(root, allNames);
  if (skipped > 0) WarnSkipped(skipped);
  return true;
}
