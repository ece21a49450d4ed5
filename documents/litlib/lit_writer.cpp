#include "documents/litlib/lit_writer.h"

#include <cstdlib>
#include <cstring>

#include "documents/litlib/lit_encoded_int.h"

namespace {

constexpr uint32_t kChunkSize = 0x2000;
constexpr uint32_t kListingHeader = 48;

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  if (out.size() < at + 4) out.resize(at + 4, 0);
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutTag(std::vector<uint8_t>& out, size_t at, const char* tag) {
  if (out.size() < at + 4) out.resize(at + 4, 0);
  std::memcpy(out.data() + at, tag, 4);
}

lit_entry* NewEntry(const char* name) {
  const size_t length = std::strlen(name);
  auto* entry = static_cast<lit_entry*>(std::calloc(1, sizeof(lit_entry) + length));
  if (entry == nullptr) return nullptr;
  entry->nameLength = static_cast<uint32_t>(length);
  std::memcpy(entry->name, name, length + 1);
  return entry;
}

void Append(lit_file* lit, lit_entry* entry) {
  lit_entry** tail = &lit->entries;
  while (*tail != nullptr) tail = &(*tail)->next;
  *tail = entry;
}

bool Emit(lit_file* lit, const uint8_t* bytes, uint32_t size) {
  return size == 0 || lit->write(lit->handle, bytes, size) == static_cast<int32_t>(size);
}

}  // namespace

lit_entry* lit_find_entry(lit_file* lit, const char* name) {
  for (lit_entry* e = lit->entries; e != nullptr; e = e->next) {
    if (std::strcmp(e->name, name) == 0) return e;
  }
  return nullptr;
}

int lit_clone_directory(lit_file* target, lit_file* source) {
  for (const lit_entry* e = source->entries; e != nullptr; e = e->next) {
    lit_entry* copy = NewEntry(e->name);
    if (copy == nullptr) return LIT_NO_MEMORY;
    copy->kind = LIT_ENTRY_STORED;
    copy->link = source;
    copy->section = e->section;
    copy->offset = e->offset;
    copy->size = e->size;
    Append(target, copy);
  }
  return LIT_OK;
}

int lit_put_entry(lit_file* lit, const char* name, const uint8_t* bytes, uint32_t size) {
  uint8_t* data = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  if (data == nullptr) return LIT_NO_MEMORY;
  if (size != 0) std::memcpy(data, bytes, size);
  lit_entry* entry = lit_find_entry(lit, name);
  if (entry == nullptr) {
    entry = NewEntry(name);
    if (entry == nullptr) {
      std::free(data);
      return LIT_NO_MEMORY;
    }
    Append(lit, entry);
  } else if (entry->kind == LIT_ENTRY_MEMORY) {
    std::free(entry->link);
  }
  entry->kind = LIT_ENTRY_MEMORY;
  entry->link = data;
  entry->section = 0;
  entry->offset = 0;
  entry->size = size;
  return LIT_OK;
}

int lit_remove_entries(lit_file* lit, const char* prefix) {
  const size_t length = std::strlen(prefix);
  int removed = 0;
  for (lit_entry** p = &lit->entries; *p != nullptr;) {
    lit_entry* e = *p;
    if (std::strncmp(e->name, prefix, length) == 0) {
      *p = e->next;
      if (e->kind == LIT_ENTRY_MEMORY) std::free(e->link);
      std::free(e);
      ++removed;
    } else {
      p = &e->next;
    }
  }
  return removed;
}

int lit_put_encint(uint8_t* p, uint32_t room, uint64_t value) {
  if (static_cast<uint32_t>(lit_encint_size(value)) > room) return LIT_ENTRY_FULL;
  return lit_write_encint(p, value);
}

int lit_write_directory_entry(uint8_t* chunk, uint32_t chunkSize, uint32_t* used,
                              const lit_entry* entry) {
  // The chunk ends with its entry count.
  const uint32_t limit = chunkSize - 2;
  uint32_t at = *used;
  const uint64_t values[] = {entry->section, entry->offset, entry->size};
  int n = lit_put_encint(chunk + at, limit - at, entry->nameLength);
  if (n < 0 || limit - at - n < entry->nameLength) return LIT_CHUNK_FULL;
  at += n;
  std::memcpy(chunk + at, entry->name, entry->nameLength);
  at += entry->nameLength;
  for (uint64_t value : values) {
    n = lit_put_encint(chunk + at, limit - at, value);
    if (n < 0) return LIT_CHUNK_FULL;
    at += n;
  }
  *used = at;
  return LIT_OK;
}

int lit_build_directory(lit_file* lit, uint32_t chunkSize, std::vector<uint8_t>* piece) {
  if (chunkSize < kListingHeader + 16) return LIT_FORMAT;
  std::vector<uint8_t> chunks;
  const lit_entry* e = lit->entries;
  uint32_t chunkCount = 0;
  do {
    std::vector<uint8_t> chunk(chunkSize, 0);
    PutTag(chunk, 0, "AOLL");
    uint32_t used = kListingHeader;
    uint16_t count = 0;
    for (; e != nullptr; e = e->next, ++count) {
      if (lit_write_directory_entry(chunk.data(), chunkSize, &used, e) != LIT_OK) break;
    }
    if (count == 0 && e != nullptr) return LIT_CHUNK_FULL;
    Put32(chunk, 4, chunkSize - used);
    chunk[chunkSize - 2] = static_cast<uint8_t>(count);
    chunk[chunkSize - 1] = static_cast<uint8_t>(count >> 8);
    chunks.insert(chunks.end(), chunk.begin(), chunk.end());
    ++chunkCount;
  } while (e != nullptr);
  piece->assign(32, 0);
  PutTag(*piece, 0, "IFCM");
  Put32(*piece, 4, 1);
  Put32(*piece, 8, chunkSize);
  Put32(*piece, 12, lit->directoryCompanion);
  Put32(*piece, 24, chunkCount);
  piece->insert(piece->end(), chunks.begin(), chunks.end());
  return LIT_OK;
}

int lit_write_entries(lit_file* lit) {
  if (lit->write == nullptr) return LIT_NO_CALLBACK;
  uint64_t offset = 0;
  for (lit_entry* e = lit->entries; e != nullptr; e = e->next) {
    if (e->section != 0) continue;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    int rc = LIT_OK;
    if (e->kind == LIT_ENTRY_MEMORY) {
      data = static_cast<uint8_t*>(e->link);
      size = static_cast<uint32_t>(e->size);
    } else if ((rc = lit_get_file(static_cast<lit_file*>(e->link), e->name, &data, &size)) !=
               LIT_OK) {
      return rc;
    }
    const bool written = Emit(lit, data, size);
    if (e->kind != LIT_ENTRY_MEMORY) std::free(data);
    if (!written) return LIT_SHORT_WRITE;
    e->offset = offset;
    e->size = size;
    offset += size;
  }
  return LIT_OK;
}

int lit_write_file(lit_file* lit) {
  if (lit->write == nullptr) return LIT_NO_CALLBACK;
  // Section-0 offsets are known only once the entries are laid out.
  uint64_t offset = 0;
  for (lit_entry* e = lit->entries; e != nullptr; e = e->next) {
    if (e->section != 0) continue;
    uint32_t size = static_cast<uint32_t>(e->size);
    if (e->kind != LIT_ENTRY_MEMORY) {
      const int rc = lit_get_file(static_cast<lit_file*>(e->link), e->name, nullptr, &size);
      if (rc != LIT_OK) return rc;
    }
    e->offset = offset;
    e->size = size;
    offset += size;
  }
  lit->directoryChunkSize = kChunkSize;
  lit->countChunkSize = 0x200;
  std::vector<uint8_t> directory;
  int rc = lit_build_directory(lit, kChunkSize, &directory);
  if (rc != LIT_OK) return rc;

  const uint32_t headerLength = 40;
  const uint32_t pieces = 5;
  const uint32_t secondaryLength = 8 + 48 + 32;
  const uint32_t piecesStart = headerLength + 16 * pieces + secondaryLength;
  const uint32_t sizes[pieces] = {16, static_cast<uint32_t>(directory.size()), 16, 16, 16};
  uint32_t offsets[pieces];
  uint32_t at = piecesStart;
  for (uint32_t i = 0; i < pieces; ++i) {
    offsets[i] = at;
    at += sizes[i];
  }
  lit->contentOffset = at;

  std::vector<uint8_t> head(piecesStart, 0);
  std::memcpy(head.data(), "ITOLITLS", 8);
  Put32(head, 8, 1);
  Put32(head, 12, headerLength);
  Put32(head, 16, pieces);
  Put32(head, 20, secondaryLength);
  std::memcpy(head.data() + 24, lit->headerGuid, 16);
  for (uint32_t i = 0; i < pieces; ++i) {
    Put32(head, headerLength + 16 * i, offsets[i]);
    Put32(head, headerLength + 16 * i + 8, sizes[i]);
  }
  const uint32_t s = headerLength + 16 * pieces;
  Put32(head, s + 4, 8);
  PutTag(head, s + 8, "CAOL");
  Put32(head, s + 12, 2);
  Put32(head, s + 16, 48);
  Put32(head, s + 20, lit->caolWord);
  Put32(head, s + 28, lit->directoryChunkSize);
  Put32(head, s + 32, lit->countChunkSize);
  Put32(head, s + 36, lit->directoryCompanion);
  Put32(head, s + 40, lit->countCompanion);
  PutTag(head, s + 56, "ITSF");
  Put32(head, s + 60, 4);
  Put32(head, s + 64, 32);
  Put32(head, s + 72, lit->contentOffset);
  Put32(head, s + 80, lit->itsfWords[0]);
  Put32(head, s + 84, lit->itsfWords[1]);

  std::vector<uint8_t> countIndex(16, 0);
  Put32(countIndex, 8, lit->countChunkSize);
  Put32(countIndex, 12, lit->countCompanion);
  const std::vector<uint8_t> zero(16, 0);
  if (!Emit(lit, head.data(), static_cast<uint32_t>(head.size())) ||
      !Emit(lit, zero.data(), 16) ||
      !Emit(lit, directory.data(), static_cast<uint32_t>(directory.size())) ||
      !Emit(lit, countIndex.data(), 16) || !Emit(lit, lit->piece3Guid, 16) ||
      !Emit(lit, lit->piece4Guid, 16)) {
    return LIT_SHORT_WRITE;
  }
  return lit_write_entries(lit);
}
