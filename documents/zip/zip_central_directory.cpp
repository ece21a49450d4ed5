#include "documents/zip/zip_central_directory.h"

#include <algorithm>
#include <string>

#include "documents/common/file_reading.h"
#include "documents/common/little_endian.h"

namespace {

constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kEndSize = 22;
constexpr size_t kLocatorSize = 20;
constexpr size_t kZip64EndSize = 56;
constexpr size_t kEntrySize = 46;
constexpr size_t kLongestComment = 0xFFFF;
constexpr uint16_t kZip64ExtraId = 0x0001;

const uint8_t* Bytes(const std::string& s, size_t at) {
  return reinterpret_cast<const uint8_t*>(s.data()) + at;
}

uint64_t ReadLittleEndian64(const uint8_t* p) {
  return ReadLittleEndian32(p) | static_cast<uint64_t>(ReadLittleEndian32(p + 4)) << 32;
}

bool ReadAt(TextFile& file, uint64_t offset, size_t n, std::string& out) {
  if (offset > 0x7fffffff || n > file.GetSize()) return false;
  out.resize(n);
  return ReadExactlyAt(file, static_cast<int64_t>(offset), out.data(), n);
}

// Values the 32-bit fields mark with all ones stand, in this order, in the
// entry's zip64 extra field.
void TakeZip64Sizes(const uint8_t* extra, size_t length, CentralEntry& entry, uint64_t& local) {
  for (size_t at = 0; at + 4 <= length;) {
    const uint16_t id = ReadLittleEndian16(extra + at);
    const size_t size = ReadLittleEndian16(extra + at + 2);
    const size_t end = std::min(length, at + 4 + size);
    if (id == kZip64ExtraId) {
      size_t field = at + 4;
      for (uint64_t* value : {&entry.uncompressedSize, &entry.compressedSize, &local}) {
        if (*value != kZipInZip64Field) continue;
        if (field + 8 > end) return;
        *value = ReadLittleEndian64(extra + field);
        field += 8;
      }
      return;
    }
    at = end;
  }
}

// The directory's offset and size from the end record (or its zip64 form).
bool FindDirectory(TextFile& file, uint64_t& start, uint64_t& size) {
  const size_t fileSize = file.GetSize();
  const size_t tailSize = std::min(fileSize, kEndSize + kLongestComment);
  std::string tail;
  if (!ReadAt(file, fileSize - tailSize, tailSize, tail) || tailSize < kEndSize) return false;
  size_t end = tailSize - kEndSize + 1;
  do {
    --end;
    if (ReadLittleEndian32(Bytes(tail, end)) == kZipEndSignature) break;
  } while (end > 0);
  if (ReadLittleEndian32(Bytes(tail, end)) != kZipEndSignature) return false;
  size = ReadLittleEndian32(Bytes(tail, end + 12));
  start = ReadLittleEndian32(Bytes(tail, end + 16));
  if (start != kZipInZip64Field && size != kZipInZip64Field) return true;
  if (end < kLocatorSize || ReadLittleEndian32(Bytes(tail, end - kLocatorSize)) !=
                                kZip64LocatorSignature) {
    return false;
  }
  std::string zip64End;
  if (!ReadAt(file, ReadLittleEndian64(Bytes(tail, end - kLocatorSize + 8)), kZip64EndSize,
              zip64End) ||
      ReadLittleEndian32(Bytes(zip64End, 0)) != kZip64EndSignature) {
    return false;
  }
  size = ReadLittleEndian64(Bytes(zip64End, 40));
  start = ReadLittleEndian64(Bytes(zip64End, 48));
  return true;
}

}  // namespace

bool ReadCentralDirectory(TextFile& file, CentralDirectory& directory) {
  directory = {};
  const LONG position = file.Tell();
  uint64_t start = 0;
  uint64_t size = 0;
  std::string bytes;
  const bool found = FindDirectory(file, start, size) && ReadAt(file, start, size, bytes);
  file.Seek(position);
  if (!found) return false;
  directory.start = start;
  for (size_t at = 0; at + kEntrySize <= bytes.size();) {
    const uint8_t* entry = Bytes(bytes, at);
    if (ReadLittleEndian32(entry) != kZipCentralEntrySignature) break;
    const size_t nameLength = ReadLittleEndian16(entry + 28);
    const size_t extraLength = ReadLittleEndian16(entry + 30);
    const size_t commentLength = ReadLittleEndian16(entry + 32);
    const size_t next = at + kEntrySize + nameLength + extraLength + commentLength;
    if (next > bytes.size()) break;
    CentralEntry sizes{ReadLittleEndian32(entry + 16), ReadLittleEndian32(entry + 20),
                       ReadLittleEndian32(entry + 24)};
    uint64_t local = ReadLittleEndian32(entry + 42);
    TakeZip64Sizes(entry + kEntrySize + nameLength, extraLength, sizes, local);
    directory.byLocalOffset[local] = sizes;
    at = next;
  }
  return true;
}
