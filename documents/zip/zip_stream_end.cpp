#include "documents/zip/zip_stream_end.h"

#include <zlib.h>

#include <vector>

#include "documents/common/file_reading.h"
#include "documents/common/little_endian.h"
#include "documents/zip/zip_central_directory.h"

namespace {

constexpr uint32_t kDescriptorSignature = 0x08074b50;
constexpr size_t kBlock = 16384;

bool StartsRecord(uint32_t signature) {
  return signature == kZipLocalHeaderSignature || signature == kZipCentralEntrySignature ||
         signature == kZipEndSignature;
}

// The descriptor's length: with or without its signature, with 32- or 64-bit
// sizes; the one behind which the next record (or the end) lies.
uint64_t DescriptorLength(TextFile& file, uint64_t at, uint64_t fileSize) {
  uint8_t bytes[28] = {};
  const uint64_t have = fileSize - at < sizeof bytes ? fileSize - at : sizeof bytes;
  if (!ReadExactlyAt(file, static_cast<int64_t>(at), bytes, static_cast<size_t>(have))) return 0;
  const bool signed_ = have >= 4 && ReadLittleEndian32(bytes) == kDescriptorSignature;
  const uint64_t shortLength = signed_ ? 16 : 12;
  for (const uint64_t length : {shortLength, shortLength + 8}) {
    if (at + length == fileSize) return length;
    if (length + 4 <= have && StartsRecord(ReadLittleEndian32(bytes + length))) return length;
  }
  return shortLength;
}

}  // namespace

bool FindDeflatedExtent(TextFile& file, uint64_t dataOffset, DeflatedExtent& extent) {
  const LONG position = file.Tell();
  const uint64_t fileSize = file.GetSize();
  z_stream stream{};
  if (dataOffset > kZipLargestEntry || inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  std::vector<unsigned char> input(kBlock);
  std::vector<unsigned char> output(kBlock);
  uLong crc = crc32(0L, Z_NULL, 0);
  int result = Z_OK;
  bool read = file.Seek(static_cast<LONG>(dataOffset));
  while (read && result == Z_OK) {
    if (stream.avail_in == 0) {
      const size_t got = file.Read(input.data(), input.size());
      if (got == 0) break;
      stream.next_in = input.data();
      stream.avail_in = static_cast<uInt>(got);
    }
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    result = inflate(&stream, Z_NO_FLUSH);
    crc = crc32(crc, output.data(), static_cast<uInt>(output.size() - stream.avail_out));
    // Wanting more input is no fault; more than an entry can hold is.
    if (result == Z_BUF_ERROR && stream.avail_in == 0) result = Z_OK;
    if (stream.total_out > kZipLargestEntry) result = Z_DATA_ERROR;
  }
  const bool ended = result == Z_STREAM_END;
  extent = {stream.total_in, stream.total_out, static_cast<uint32_t>(crc), fileSize};
  inflateEnd(&stream);
  if (ended) {
    const uint64_t end = dataOffset + extent.compressedSize;
    extent.next = end + DescriptorLength(file, end, fileSize);
  }
  file.Seek(position);
  return read && (ended || result == Z_OK) && extent.compressedSize > 0;
}
