#include <vector>

#include "documents/common/conversion_message.h"
#include "documents/common/converted_text.h"
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

// The data offsets of the record list entries first to last, in one read.
bool ReadEntryOffsets(TextFile& file, uint32_t first, uint32_t last,
                      std::vector<uint32_t>& offsets) {
  std::vector<uint8_t> entries(static_cast<size_t>(last - first + 1) * kEntrySize);
  if (!ReadExactlyAt(file, kHeaderSize + static_cast<int64_t>(kEntrySize) * first,
                     entries.data(), entries.size())) {
    return false;
  }
  offsets.resize(last - first + 1);
  for (size_t i = 0; i < offsets.size(); ++i) {
    offsets[i] = ReadBigEndian32(&entries[i * kEntrySize]);
  }
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
  // An empty page is no reading of a damaged book.
  if (count == 0) {
    ShowNoTextTaken("It holds no text records.");
    return false;
  }
  if (count + 1 > layout.databaseRecordCount) {
    ShowNoTextTaken("Its record list is shorter than its text.");
    return false;
  }
  const int64_t fileSize = file.GetSize();
  // Entry 1 gives the first text record's start, entries 2 to count (and
  // count + 1 when the database holds more records) the ends.
  const uint32_t lastEntry = layout.databaseRecordCount > count + 1 ? count + 1 : count;
  std::vector<uint32_t> offsets;
  if (!ReadEntryOffsets(file, 1, lastEntry, offsets)) {
    ShowNoTextTaken("Its record list is cut short.");
    return false;
  }
  std::vector<uint8_t> record;
  std::vector<uint8_t> decoded(layout.recordSize);
  // A compressed record this long cannot decode within the record size.
  const int64_t compressedLimit = 2 * static_cast<int64_t>(layout.recordSize) + 16;
  int64_t start = offsets[0];
  int64_t written = 0;
  // Records follow one another, so the file is read straight on after the
  // first seek.
  int64_t position = -1;
  for (uint32_t i = 1; i <= count; ++i) {
    const int64_t end = i < offsets.size() ? offsets[i] : fileSize;
    if (end < start || end > fileSize) {
      ShowNoTextTaken("Its text records lie outside the file.");
      return false;
    }
    const int64_t length = end - start;
    if (length > (compressed ? compressedLimit : static_cast<int64_t>(layout.recordSize))) {
      ShowNoTextTaken("A text record is longer than the book's record size.");
      return false;
    }
    record.resize(static_cast<size_t>(length));
    const bool read = position == start ? ReadExactly(file, record.data(), record.size())
                                        : ReadExactlyAt(file, start, record.data(), record.size());
    if (!read) return false;
    position = end;
    if (compressed) {
      const int32_t size = static_cast<int32_t>(record.size());
      const int32_t expected = PalmDocDecodedLength(record.data(), size);
      const int32_t produced =
          expected > static_cast<int32_t>(layout.recordSize)
              ? -1
              : DecompressPalmDoc(record.data(), size, decoded.data(),
                                  static_cast<int32_t>(decoded.size()));
      if (produced != expected) {
        ShowNoTextTaken("A text record is damaged and does not decode within the book's "
                        "record size.");
        return false;
      }
      if (!out.Write(decoded.data(), static_cast<size_t>(produced))) return false;
      written += produced;
    } else if (!out.Write(record.data(), record.size())) {
      return false;
    } else {
      written += length;
    }
    start = end;
  }
  if (written == 0) {
    ShowNoTextTaken("Its text records are empty.");
    return false;
  }
  return out.Commit() && KeepConvertedText(target, "Its text records hold no letter or digit.");
}
