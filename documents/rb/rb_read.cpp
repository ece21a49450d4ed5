#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "documents/buffers/mem_buffer.h"
#include "documents/common/little_endian.h"
#include "documents/rb/rb_book.h"

namespace {

constexpr int32_t kPieceSize = 4224;  // read and inflate buffers
constexpr int32_t kChunkOutput = 4096;
// Window bits 15 accept every zlib stream, including those written with a
// smaller window.
constexpr int kWindowBits = 15;

class Delivery {
 public:
  Delivery(void* sink, RbSink callback) : sink_(sink), callback_(callback) {}
  void operator()(const char* bytes, int32_t length) {
    if (length <= 0) return;
    if (callback_ != nullptr) {
      callback_(sink_, bytes, length);
    } else {
      membuf_append(static_cast<MemBuffer*>(sink_), bytes, length);
    }
  }
  MemBuffer* Buffer() const { return callback_ == nullptr ? static_cast<MemBuffer*>(sink_) : nullptr; }

 private:
  void* sink_;
  RbSink callback_;
};

RbTocEntry* JoinedPage(RbBook* book, int16_t page) {
  for (RbTocEntry* e = book->joinedPages; e != nullptr; e = e->next) {
    if (e->page == page) return e;
  }
  return nullptr;
}

void ReadRaw(std::FILE* file, int32_t skip, int32_t length, Delivery& deliver) {
  if (skip > 0 && std::fseek(file, skip, SEEK_CUR) != 0) return;
  char piece[kPieceSize];
  while (length >= 1) {
    const size_t got = std::fread(piece, 1, std::min(length, kPieceSize), file);
    if (got == 0) return;
    deliver(piece, static_cast<int32_t>(got));
    length -= static_cast<int32_t>(got);
  }
}

// Inflates one chunk on its own; returns the bytes produced.
int32_t InflateChunk(const unsigned char* input, uint32_t size, unsigned char* output) {
  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  if (inflateInit2(&stream, kWindowBits) != Z_OK) return 0;
  stream.next_in = const_cast<unsigned char*>(input);
  stream.avail_in = size;
  stream.next_out = output;
  stream.avail_out = kPieceSize;
  inflate(&stream, Z_FINISH);
  const int32_t produced = static_cast<int32_t>(kPieceSize - stream.avail_out);
  inflateEnd(&stream);
  return produced;
}

void ReadCompressed(std::FILE* file, int32_t storedLength, int32_t sliceOffset,
                    int32_t sliceLength, bool slice, Delivery& deliver) {
  unsigned char head[8];
  if (std::fread(head, 1, 8, file) != 8) return;
  uint32_t chunks = ReadLittleEndian32(head);
  const uint32_t uncompressed = ReadLittleEndian32(head + 4);
  // The chunk table lies within the entry's stored bytes.
  if (storedLength < 8 || chunks > static_cast<uint32_t>(storedLength - 8) / 4) return;
  std::vector<unsigned char> table(4 * static_cast<size_t>(chunks));
  if (chunks != 0 && std::fread(table.data(), 1, table.size(), file) != table.size()) return;
  // No more than the chunks can deliver.
  const int64_t deliverable = static_cast<int64_t>(chunks) * kChunkOutput;
  int64_t wanted = slice ? sliceLength : static_cast<int64_t>(uncompressed);
  wanted = std::min(wanted, deliverable);
  if (wanted <= 0) return;
  if (MemBuffer* buffer = deliver.Buffer()) membuf_set_size_hint(buffer, static_cast<int32_t>(wanted));

  uint32_t first = 0;
  int64_t skip = 0;
  while (sliceOffset >= kChunkOutput && first < chunks) {
    skip += ReadLittleEndian32(&table[4 * first]);
    sliceOffset -= kChunkOutput;
    ++first;
  }
  if (skip > 0 && std::fseek(file, static_cast<long>(skip), SEEK_CUR) != 0) return;

  unsigned char input[kPieceSize];
  unsigned char output[kPieceSize];
  int64_t delivered = 0;
  for (uint32_t c = first; c < chunks && delivered < wanted; ++c) {
    const uint32_t size = ReadLittleEndian32(&table[4 * c]);
    if (size > static_cast<uint32_t>(kPieceSize)) return;
    if (std::fread(input, 1, size, file) != size) return;
    int32_t produced = InflateChunk(input, size, output);
    int32_t from = 0;
    if (c == first) {
      from = std::min(sliceOffset, produced);
    }
    const int32_t piece =
        static_cast<int32_t>(std::min<int64_t>(produced - from, wanted - delivered));
    deliver(reinterpret_cast<const char*>(output + from), piece);
    delivered += piece;
  }
}

}  // namespace

int rb_read_entry(RbBook* book, RbTocEntry* entry, void* sink, RbSink callback) {
  Delivery deliver(sink, callback);
  RbTocEntry* page = entry;
  int32_t sliceOffset = 0;
  const bool slice = (entry->flags & RB_FLAG_SLICE) != 0;
  if (slice) {
    page = JoinedPage(book, entry->page);
    if (page == nullptr) return 0;
    sliceOffset = entry->offset;
  }
  if (book->file == nullptr || page->offset < 0 || std::fseek(book->file, 0, SEEK_END) != 0) {
    return 0;
  }
  // Stored lengths are taken only as far as the file reaches.
  const long fileSize = std::ftell(book->file);
  if (fileSize < page->offset || std::fseek(book->file, page->offset, SEEK_SET) != 0) return 0;
  const int32_t stored =
      static_cast<int32_t>(std::min<int64_t>(std::max(page->length, 0), fileSize - page->offset));
  if ((page->flags & (RB_FLAG_COMPRESSED | RB_FLAG_NOT_DECODED)) != RB_FLAG_COMPRESSED) {
    ReadRaw(book->file, sliceOffset, slice ? entry->length : stored, deliver);
  } else {
    ReadCompressed(book->file, stored, sliceOffset, entry->length, slice, deliver);
  }
  return 0;
}
