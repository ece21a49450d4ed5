// The archive's central directory: the sizes of every entry by the offset
// of its local header. Entries written with a trailing data descriptor
// carry no sizes in their local header; these come from here.
#pragma once

#include <cstdint>
#include <map>

#include "foundation/text_file.h"

constexpr uint32_t kZipLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kZipCentralEntrySignature = 0x02014b50;
constexpr uint32_t kZipEndSignature = 0x06054b50;
// A 32-bit size or offset of this value stands in a zip64 field.
constexpr uint32_t kZipInZip64Field = 0xFFFFFFFF;
// The largest size or offset of an entry the reader takes.
constexpr uint64_t kZipLargestEntry = 0x7fffffff;

struct CentralEntry {
  uint32_t crc;
  uint64_t compressedSize;
  uint64_t uncompressedSize;
};

struct CentralDirectory {
  std::map<uint64_t, CentralEntry> byLocalOffset;
  uint64_t start = 0;  // where the directory begins: the end of the data
};

// Reads the directory through its end record; false when the archive has
// none that can be read. The file position is kept.
bool ReadCentralDirectory(TextFile& file, CentralDirectory& directory);
