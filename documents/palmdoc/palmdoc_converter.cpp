#include <vector>

#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
#include "documents/palmdoc/palmdoc.h"

namespace {

constexpr int kHeaderSize = 78;
constexpr int kEntrySize = 8;
constexpr int kRecordZeroSize = 16;

struct PalmDocLayout {
  uint32_t recordZeroOffset = 0;
  uint32_t compression = 0;
  uint32_t textRecordCount = 0;
  uint32_t recordSize = 0;
  uint32_t databaseRecordCount = 0;
};

bool ReadLayout(TextFile& file, PalmDocLayout& layout) {
  uint8_t header[kHeaderSize];
  uint8_t offset[4];
  uint8_t recordZero[kRecordZeroSize];
  if (!ReadExactlyAt(file, 0, header, sizeof header)) return false;
  if (std::string_view(reinterpret_cast<char*>(header) + 60, 4) != "TEXt" ||
      std::string_view(reinterpret_cast<char*>(header) + 64, 4) != "REAd") {
    return false;
  }
  if (!ReadExactly(file, offset, sizeof offset)) return false;
  layout.recordZeroOffset = ReadBigEndian32(offset);
  if (!ReadExactlyAt(file, layout.recordZeroOffset, recordZero, sizeof recordZero)) return false;
  layout.databaseRecordCount = ReadBigEndian16(header + 76);
  layout.compression = ReadBigEndian16(recordZero);
  layout.textRecordCount = ReadBigEndian16(recordZero + 8);
  layout.recordSize = ReadBigEndian16(recordZero + 10);
  return true;
}

bool ReadEntryOffset(TextFile& file, uint32_t index, uint32_t& offset) {
  uint8_t entry[kEntrySize];
  if (!ReadExactlyAt(file, kHeaderSize + static_cast<int64_t>(kEntrySize) * index, entry,
                     sizeof entry)) {
    return false;
  }
  offset = ReadBigEndian32(entry);
  return true;
}

}  // namespace

bool IsPalmDocFile(const char16_t* path) {
  TextFile file(path, u"rb");
  PalmDocLayout layout;
  if (!file.IsOpen() || !ReadLayout(file, layout)) return false;
  return layout.compression == 1 || layout.compression == 2 || layout.compression == 257 ||
         layout.textRecordCount == 0;
}

bool ConvertPdbToText(const char16_t* source, const char16_t* target) {
  if (!IsPalmDocFile(source)) return false;
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  PalmDocLayout layout;
  if (!ReadLayout(file, layout)) return false;
  const bool compressed = layout.compression == 2;
  const uint32_t count = layout.textRecordCount;
  if (count > 0 && count + 1 > layout.databaseRecordCount) return false;
  const int64_t fileSize = file.GetSize();
  uint32_t start = 0;
  if (count > 0 && !ReadEntryOffset(file, 1, start)) return false;
  std::vector<uint8_t> record;
  std::vector<uint8_t> decoded(layout.recordSize);
  // A compressed record this long cannot decode within the record size.
  const int64_t compressedLimit = 2 * static_cast<int64_t>(layout.recordSize) + 16;
  for (uint32_t i = 1; i <= count; ++i) {
    int64_t end = fileSize;
    if (i < count || layout.databaseRecordCount > count + 1) {
      uint32_t next = 0;
      if (!ReadEntryOffset(file, i + 1, next)) return false;
      end = next;
    }
    if (end < start || end > fileSize) return false;
    const int64_t length = end - start;
    if (length > (compressed ? compressedLimit : static_cast<int64_t>(layout.recordSize))) {
      return false;
    }
    record.resize(static_cast<size_t>(length));
    if (!ReadExactlyAt(file, start, record.data(), record.size())) return false;
    if (compressed) {
      const int32_t size = static_cast<int32_t>(record.size());
      const int32_t expected = PalmDocDecodedLength(record.data(), size);
      if (expected > static_cast<int32_t>(layout.recordSize)) return false;
      const int32_t produced = DecompressPalmDoc(record.data(), size, decoded.data(),
                                                 static_cast<int32_t>(decoded.size()));
      if (produced != expected || !out.Write(decoded.data(), static_cast<size_t>(produced))) {
        return false;
      }
    } else if (!out.Write(record.data(), record.size())) {
      return false;
    }
    start = static_cast<uint32_t>(end);
  }
  return out.Commit();
}
