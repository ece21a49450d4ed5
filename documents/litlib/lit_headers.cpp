// The container's primary and secondary headers, pieces and directory.
#include <cstdlib>
#include <cstring>

#include "documents/litlib/lit_encoded_int.h"
#include "documents/litlib/lit_file.h"

namespace {

constexpr uint32_t kLow31 = 0x7FFFFFFF;
constexpr int kPrimaryFixedSize = 40;
constexpr int kPieceCount = 5;
constexpr int kListingHeaderSize = 48;

// Owns one buffer from the read callback.
struct Block {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  ~Block() { std::free(data); }
};

int ReadBlock(lit_file* lit, uint64_t offset, uint64_t size, Block& out) {
  if (offset + size > lit->fileSize) return LIT_FORMAT;
  out.data = lit->readAt(lit->handle, static_cast<uint32_t>(offset), static_cast<uint32_t>(size));
  if (out.data == nullptr) return LIT_READ_FAILED;
  out.size = static_cast<uint32_t>(size);
  return LIT_OK;
}

int ReadSecondaryHeader(lit_file* lit, const uint8_t* h, uint32_t size) {
  if (size < 8) return LIT_FORMAT;
  uint64_t offset = ReadLittleEndian32(h + 4) & kLow31;
  while (offset < size) {
    if (offset + 12 > size) return LIT_FORMAT;
    const uint8_t* block = h + offset;
    const uint32_t version = ReadLittleEndian32(block + 4);
    const uint32_t length = ReadLittleEndian32(block + 8) & kLow31;
    if (std::memcmp(block, "CAOL", 4) == 0) {
      if (version != 2) return LIT_VERSION;
      if (offset + 48 > size) return LIT_FORMAT;
      lit->caolWord = ReadLittleEndian32(block + 12);
      lit->directoryChunkSize = ReadLittleEndian32(block + 20);
      lit->countChunkSize = ReadLittleEndian32(block + 24);
      lit->directoryCompanion = ReadLittleEndian32(block + 28);
      lit->countCompanion = ReadLittleEndian32(block + 32);
      offset += 48;
    } else if (std::memcmp(block, "ITSF", 4) == 0) {
      if (version != 4) return LIT_VERSION;
      if (offset + 32 > size || length < 32) return LIT_FORMAT;
      if (ReadLittleEndian32(block + 20) != 0) return LIT_TOO_BIG;
      lit->contentOffset = ReadLittleEndian32(block + 16);
      lit->itsfWords[0] = ReadLittleEndian32(block + 24);
      lit->itsfWords[1] = ReadLittleEndian32(block + 28);
      offset += length;
    } else {
      if (length == 0) return LIT_FORMAT;
      offset += length;
    }
  }
  if (offset != size || lit->contentOffset == 0) return LIT_FORMAT;
  return LIT_OK;
}

lit_entry* NewEntry(const uint8_t* name, uint32_t nameLength) {
  lit_entry* entry = static_cast<lit_entry*>(std::calloc(1, sizeof(lit_entry) + nameLength));
  if (entry == nullptr) return nullptr;
  entry->kind = LIT_ENTRY_STORED;
  entry->nameLength = nameLength;
  std::memcpy(entry->name, name, nameLength);
  entry->name[nameLength] = '\0';
  return entry;
}

int ReadListingChunk(const uint8_t* chunk, uint32_t chunkSize, lit_entry**& tail) {
  const uint32_t freeSpace = ReadLittleEndian32(chunk + 4);
  if (freeSpace >= chunkSize || chunkSize - freeSpace < kListingHeaderSize) return LIT_FORMAT;
  const uint8_t* p = chunk + kListingHeaderSize;
  const uint8_t* end = chunk + chunkSize - freeSpace;
  uint32_t remaining = ReadLittleEndian16(chunk + chunkSize - 2);
  if (remaining == 0) remaining = 65535;
  while (p < end && remaining-- > 0) {
    const uint64_t nameLength = lit_read_encint(&p, end);
    if (nameLength > kLow31 || nameLength + 3 > static_cast<uint64_t>(end - p)) return LIT_FORMAT;
    const uint8_t* name = p;
    p += nameLength;
    const uint64_t section = lit_read_encint(&p, end);
    const uint64_t offset = lit_read_encint(&p, end);
    const uint64_t size = lit_read_encint(&p, end);
    lit_entry* entry = NewEntry(name, static_cast<uint32_t>(nameLength));
    if (entry == nullptr) return LIT_NO_MEMORY;
    entry->section = section;
    entry->offset = offset;
    entry->size = size;
    *tail = entry;
    tail = &entry->next;
  }
  return LIT_OK;
}

int ReadDirectory(lit_file* lit, const Block& piece) {
  if (piece.size < 32 || ReadLittleEndian32(piece.data) != 0x4D434649) return LIT_FORMAT;
  const uint32_t chunkSize = ReadLittleEndian32(piece.data + 8) & kLow31;
  const uint32_t chunkCount = ReadLittleEndian32(piece.data + 24) & kLow31;
  if (32 + static_cast<uint64_t>(chunkCount) * chunkSize != piece.size) return LIT_FORMAT;
  if (chunkCount != 0 && chunkSize < 8) return LIT_FORMAT;
  lit_entry** tail = &lit->entries;
  while (*tail != nullptr) tail = &(*tail)->next;
  for (uint32_t i = 0; i < chunkCount; ++i) {
    const uint8_t* chunk = piece.data + 32 + static_cast<uint64_t>(i) * chunkSize;
    if (std::memcmp(chunk, "AOLL", 4) != 0) continue;  // index chunk
    const int rc = ReadListingChunk(chunk, chunkSize, tail);
    if (rc != LIT_OK) return rc;
  }
  return LIT_OK;
}

int ReadPieces(lit_file* lit, const uint8_t* table) {
  uint64_t offsets[kPieceCount];
  uint64_t sizes[kPieceCount];
  for (int i = 0; i < kPieceCount; ++i) {
    const uint8_t* p = table + 16 * i;
    if (ReadLittleEndian32(p + 4) != 0 || ReadLittleEndian32(p + 12) != 0) return LIT_TOO_BIG;
    offsets[i] = ReadLittleEndian32(p);
    sizes[i] = ReadLittleEndian32(p + 8);
    if (offsets[i] + sizes[i] > lit->fileSize) return LIT_FORMAT;
  }
  if (sizes[3] != 16 || sizes[4] != 16) return LIT_FORMAT;
  if (sizes[2] < 16) return LIT_FORMAT;

  Block directory;
  int rc = ReadBlock(lit, offsets[1], sizes[1], directory);
  if (rc != LIT_OK) return rc;
  if (directory.size < 32 || ReadLittleEndian32(directory.data + 8) != lit->directoryChunkSize ||
      ReadLittleEndian32(directory.data + 12) != lit->directoryCompanion) {
    return LIT_FORMAT;
  }
  Block count;
  if ((rc = ReadBlock(lit, offsets[2], 16, count)) != LIT_OK) return rc;
  if (ReadLittleEndian32(count.data + 8) != lit->countChunkSize ||
      ReadLittleEndian32(count.data + 12) != lit->countCompanion) {
    return LIT_FORMAT;
  }
  Block guid3;
  Block guid4;
  if ((rc = ReadBlock(lit, offsets[3], 16, guid3)) != LIT_OK) return rc;
  if ((rc = ReadBlock(lit, offsets[4], 16, guid4)) != LIT_OK) return rc;
  std::memcpy(lit->piece3Guid, guid3.data, 16);
  std::memcpy(lit->piece4Guid, guid4.data, 16);
  return ReadDirectory(lit, directory);
}

}  // namespace

int lit_read_headers(lit_file* lit) {
  if (lit->fileSize < kPrimaryFixedSize) return LIT_FORMAT;
  Block primary;
  int rc = ReadBlock(lit, 0, kPrimaryFixedSize, primary);
  if (rc != LIT_OK) return rc;
  if (std::memcmp(primary.data, "ITOLITLS", 8) != 0) return LIT_FORMAT;
  if (ReadLittleEndian32(primary.data + 8) != 1) return LIT_VERSION;
  const uint64_t headerLength = ReadLittleEndian32(primary.data + 12) & kLow31;
  const uint64_t pieces = ReadLittleEndian32(primary.data + 16);
  const uint64_t secondaryLength = ReadLittleEndian32(primary.data + 20) & kLow31;
  std::memcpy(lit->headerGuid, primary.data + 24, 16);
  if (headerLength < kPrimaryFixedSize || pieces < kPieceCount) return LIT_FORMAT;
  if (headerLength + 16 * pieces + secondaryLength >= lit->fileSize) return LIT_FORMAT;

  Block table;
  if ((rc = ReadBlock(lit, headerLength, 16 * pieces, table)) != LIT_OK) return rc;
  Block secondary;
  if ((rc = ReadBlock(lit, headerLength + 16 * pieces, secondaryLength, secondary)) != LIT_OK) {
    return rc;
  }
  if ((rc = ReadSecondaryHeader(lit, secondary.data, secondary.size)) != LIT_OK) return rc;
  if ((rc = ReadPieces(lit, table.data)) != LIT_OK) {
    lit_free_directory(lit);
    return rc;
  }
  return LIT_OK;
}

int lit_read(lit_file* lit) {
  if (lit->readAt == nullptr) return LIT_NO_CALLBACK;
  const int rc = lit_read_headers(lit);
  if (rc != LIT_OK) lit_message("Unable to read the container headers (%d).\n", rc);
  return rc;
}
