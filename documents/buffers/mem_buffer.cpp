#include "documents/buffers/mem_buffer.h"

#include <algorithm>
#include <cstring>

#include "documents/buffers/xalloc.h"

namespace {

int32_t Room(const MemBuffer* buffer) {
  return buffer->last != nullptr ? buffer->capacity - buffer->length : 0;
}

// Gives the last chunk's free room back, so that room stays in the last
// chunk only once another chunk follows it.
void DropRoom(MemBuffer* buffer) {
  const int32_t room = Room(buffer);
  if (room <= 0) return;
  MemChunk* last = buffer->last;
  last->data = static_cast<char*>(xrealloc(last->data, static_cast<size_t>(last->used) + 1));
  buffer->capacity -= room;
}

void LinkLast(MemBuffer* buffer, MemChunk* node) {
  node->next = nullptr;
  if (buffer->last != nullptr) {
    buffer->last->next = node;
  } else {
    buffer->first = node;
    buffer->cursor = node;
    buffer->cursorOffset = 0;
  }
  buffer->last = node;
}

MemChunk* NewNode(char* data, int32_t used) {
  auto* node = static_cast<MemChunk*>(xmalloc(sizeof(MemChunk)));
  node->next = nullptr;
  node->data = data;
  node->used = used;
  return node;
}

// Content may never pass the signed 32-bit range.
void CheckGrowth(const MemBuffer* buffer, int64_t n) {
  if (static_cast<int64_t>(buffer->length) + n > 0x7ffffffeLL) fatal_error("Out of memory\n");
}

// Appends n bytes (or, with no bytes, counts n unwritten bytes).
int32_t AppendRaw(MemBuffer* buffer, const char* bytes, int32_t n) {
  if (n <= 0) return 0;
  CheckGrowth(buffer, n);
  int32_t remaining = n;
  while (remaining > 0) {
    const int32_t room = Room(buffer);
    if (room <= 0) {
      membuf_reserve(buffer, remaining);
      continue;
    }
    const int32_t k = std::min(room, remaining);
    MemChunk* last = buffer->last;
    if (bytes != nullptr) {
      std::memcpy(last->data + last->used, bytes, static_cast<size_t>(k));
      bytes += k;
    }
    last->used += k;
    buffer->length += k;
    remaining -= k;
    last->data[last->used] = '\0';
  }
  return n;
}

// Moves the cursor to the chunk that holds the read position (or the last
// chunk when the position is the end).
void SyncCursor(MemBuffer* buffer) {
  if (buffer->cursor == nullptr || buffer->readPosition < buffer->cursorOffset) {
    buffer->cursor = buffer->first;
    buffer->cursorOffset = 0;
  }
  while (buffer->cursor != nullptr && buffer->cursor->next != nullptr &&
         buffer->readPosition >= buffer->cursorOffset + buffer->cursor->used) {
    buffer->cursorOffset += buffer->cursor->used;
    buffer->cursor = buffer->cursor->next;
  }
}

// Copies n bytes from a content position on; the caller has checked bounds.
void CopyOut(MemBuffer* buffer, int32_t position, char* destination, int32_t n) {
  while (n > 0) {
    int32_t offset = position;
    MemChunk* chunk = membuf_locate(buffer, &offset, false);
    if (chunk == nullptr) return;
    const int32_t k = std::min(n, chunk->used - offset);
    std::memcpy(destination, chunk->data + offset, static_cast<size_t>(k));
    destination += k;
    position += k;
    n -= k;
  }
}

}  // namespace

MemBuffer* membuf_new(int32_t chunkSize, int32_t limit) {
  auto* buffer = static_cast<MemBuffer*>(xcalloc(1, sizeof(MemBuffer)));
  buffer->chunkSize = chunkSize > 0 ? chunkSize : kMemDefaultChunkSize;
  buffer->limit = limit > 0 ? limit : kMemDefaultLimit;
  return buffer;
}

void membuf_free(MemBuffer* buffer) {
  if (buffer == nullptr) return;
  for (MemChunk* chunk = buffer->first; chunk != nullptr;) {
    MemChunk* next = chunk->next;
    xfree(chunk->data);
    xfree(chunk);
    chunk = next;
  }
  xfree(buffer);
}

int32_t membuf_truncate(MemBuffer* buffer, int32_t length) {
  buffer->sizeHint = 0;
  if (length < 0 || length > buffer->length) return -1;
  if (buffer->first == nullptr) return 0;
  buffer->length = length;
  if (buffer->readPosition > length) {
    buffer->readPosition = 0;
    buffer->cursorOffset = 0;
    buffer->cursor = buffer->first;
  }
  MemChunk* chunk = buffer->first;
  int32_t start = 0;
  while (chunk->next != nullptr && length > start + chunk->used) {
    start += chunk->used;
    chunk = chunk->next;
  }
  const int32_t usedBefore = chunk->used;
  const bool hadSuccessors = chunk->next != nullptr;
  chunk->used = length - start;
  chunk->data[chunk->used] = '\0';
  for (MemChunk* later = chunk->next; later != nullptr;) {
    MemChunk* next = later->next;
    if (buffer->cursor == later) {
      buffer->cursor = chunk;
      buffer->cursorOffset = start;
    }
    xfree(later->data);
    xfree(later);
    later = next;
  }
  chunk->next = nullptr;
  buffer->last = chunk;
  if (hadSuccessors) buffer->capacity = usedBefore - chunk->used + length;
  return length;
}

void membuf_reserve(MemBuffer* buffer, int32_t n) {
  if (n <= 0) return;
  if (buffer->sizeHint != 0) {
    if (buffer->sizeHint - buffer->capacity <= n) {
      buffer->sizeHint = 0;
    } else {
      n = buffer->sizeHint - buffer->capacity;
    }
  }
  const int64_t step = (static_cast<int64_t>(n) + buffer->chunkSize - 1) / buffer->chunkSize *
                       buffer->chunkSize;
  const int32_t g = static_cast<int32_t>(std::min<int64_t>(step, buffer->limit));
  MemChunk* last = buffer->last;
  if (last != nullptr &&
      static_cast<int64_t>(last->used) + buffer->chunkSize <= buffer->limit) {
    const int64_t size = static_cast<int64_t>(last->used) + Room(buffer);
    const int64_t add = std::min<int64_t>(g, buffer->limit - size);
    if (add > 0) {
      last->data = static_cast<char*>(xrealloc(last->data, static_cast<size_t>(size + add + 1)));
      buffer->capacity += static_cast<int32_t>(add);
      return;
    }
  }
  DropRoom(buffer);
  char* block = static_cast<char*>(xmalloc(static_cast<size_t>(g) + 1));
  block[0] = '\0';
  LinkLast(buffer, NewNode(block, 0));
  buffer->capacity += g;
}

int32_t membuf_append_pieces(MemBuffer* buffer, std::initializer_list<MemPiece> pieces) {
  int32_t total = 0;
  for (const MemPiece& piece : pieces) {
    if (piece.text == nullptr) break;
    const int32_t length =
        piece.length < 0 ? static_cast<int32_t>(std::strlen(piece.text)) : piece.length;
    total += AppendRaw(buffer, piece.text, length);
  }
  return total;
}

int32_t membuf_append(MemBuffer* buffer, const char* bytes, int32_t length) {
  return membuf_append_pieces(buffer, {{bytes, length}});
}

int32_t membuf_append_str(MemBuffer* buffer, const char* text) {
  return membuf_append_pieces(buffer, {{text, -1}});
}

int32_t membuf_putc(MemBuffer* buffer, int byte) {
  const char c = static_cast<char>(byte);
  AppendRaw(buffer, &c, 1);
  return 1;
}

void membuf_advance(MemBuffer* buffer, int32_t n) { AppendRaw(buffer, nullptr, n); }

void membuf_set_size_hint(MemBuffer* buffer, int32_t n) {
  buffer->sizeHint = n > buffer->capacity ? n : 0;
}

void membuf_adopt(MemBuffer* buffer, char* block, int32_t length, int32_t blockSize) {
  if (length < 0) length = 0;
  CheckGrowth(buffer, length);
  if (blockSize <= length) {
    block = static_cast<char*>(xrealloc(block, static_cast<size_t>(length) + 1));
    blockSize = length + 1;
  }
  block[length] = '\0';
  DropRoom(buffer);
  LinkLast(buffer, NewNode(block, length));
  buffer->length += length;
  buffer->capacity += length + (blockSize - length - 1);
}

void membuf_append_chunk(MemBuffer* buffer, MemChunk* node) {
  CheckGrowth(buffer, node->used);
  DropRoom(buffer);
  node->data[node->used] = '\0';
  LinkLast(buffer, node);
  buffer->length += node->used;
  buffer->capacity = buffer->length;
}

void membuf_move_from(MemBuffer* buffer, MemBuffer* other) {
  if (other->first != nullptr) {
    CheckGrowth(buffer, other->capacity);
    DropRoom(buffer);
    const int32_t oldLength = buffer->length;
    MemChunk* otherLast = other->last;
    LinkLast(buffer, other->first);
    buffer->last = otherLast;
    buffer->length = oldLength + other->length;
    buffer->capacity = oldLength + other->capacity;
  }
  xfree(other);
}

void membuf_prepend_block(MemBuffer* buffer, char* block, int32_t length) {
  if (length < 0) length = 0;
  CheckGrowth(buffer, length);
  block = static_cast<char*>(xrealloc(block, static_cast<size_t>(length) + 1));
  block[length] = '\0';
  MemChunk* node = NewNode(block, length);
  node->next = buffer->first;
  buffer->first = node;
  if (buffer->last == nullptr) buffer->last = node;
  buffer->length += length;
  buffer->capacity += length;
  buffer->cursor = node;
  buffer->cursorOffset = 0;
}

int32_t membuf_write_at(MemBuffer* buffer, int32_t position, const char* bytes, int32_t length) {
  if (position < 0 || position >= buffer->length) return -1;
  const int32_t n = std::max(0, std::min(length, buffer->length - position));
  int32_t written = 0;
  while (written < n) {
    int32_t offset = position + written;
    MemChunk* chunk = membuf_locate(buffer, &offset, false);
    if (chunk == nullptr) break;
    const int32_t k = std::min(n - written, chunk->used - offset);
    std::memcpy(chunk->data + offset, bytes + written, static_cast<size_t>(k));
    written += k;
  }
  return written;
}

int32_t membuf_write_pieces_at(MemBuffer* buffer, int32_t position,
                               std::initializer_list<MemPiece> pieces) {
  if (position < 0 || position >= buffer->length) return -1;
  int32_t total = 0;
  for (const MemPiece& piece : pieces) {
    if (piece.text == nullptr) break;
    const int32_t length =
        piece.length < 0 ? static_cast<int32_t>(std::strlen(piece.text)) : piece.length;
    if (length == 0) continue;
    const int32_t written = membuf_write_at(buffer, position + total, piece.text, length);
    if (written <= 0) break;
    total += written;
  }
  return total;
}

int32_t membuf_read_bytes(MemBuffer* buffer, char* destination, int32_t n) {
  if (buffer->cursor == nullptr) return -1;
  const int32_t k = std::max(0, std::min(n, buffer->length - buffer->readPosition));
  CopyOut(buffer, buffer->readPosition, destination, k);
  buffer->readPosition += k;
  SyncCursor(buffer);
  return k;
}

int membuf_peek_byte(MemBuffer* buffer) {
  if (buffer->readPosition >= buffer->length) return -1;
  SyncCursor(buffer);
  return static_cast<unsigned char>(
      buffer->cursor->data[buffer->readPosition - buffer->cursorOffset]);
}

int32_t membuf_read_line(MemBuffer* buffer, char* destination, int32_t size) {
  if (size <= 0) return 0;
  int32_t stored = 0;
  while (stored < size - 1) {
    const int c = membuf_peek_byte(buffer);
    if (c < 0) {
      if (stored > 0) destination[stored++] = '\n';
      break;
    }
    ++buffer->readPosition;
    if (c == '\r') {
      if (membuf_peek_byte(buffer) == '\n') ++buffer->readPosition;
      destination[stored++] = '\n';
      break;
    }
    destination[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  destination[stored] = '\0';
  SyncCursor(buffer);
  return stored;
}

int32_t membuf_length(const MemBuffer* buffer) { return buffer->length; }

int32_t membuf_read_position(const MemBuffer* buffer) { return buffer->readPosition; }

int32_t membuf_seek(MemBuffer* buffer, int32_t offset, int origin) {
  if (buffer->length == 0) return -1;
  int64_t position;
  switch (origin) {
    case 0: position = offset; break;
    case 1: position = static_cast<int64_t>(buffer->readPosition) + offset; break;
    case 2: position = static_cast<int64_t>(buffer->length) + offset; break;
    default: return -1;
  }
  if (position < 0) return -1;
  buffer->readPosition = static_cast<int32_t>(std::min<int64_t>(position, buffer->length));
  SyncCursor(buffer);
  return buffer->readPosition;
}

char* membuf_read(MemBuffer* buffer, int32_t* length) {
  int32_t offset = buffer->readPosition;
  MemChunk* chunk = membuf_locate(buffer, &offset, false);
  if (chunk == nullptr) {
    if (length != nullptr) *length = 0;
    return nullptr;
  }
  char* p = chunk->data + offset;
  if (length != nullptr) {
    *length = std::max(0, std::min(*length, chunk->used - offset));
    buffer->readPosition += *length;
    SyncCursor(buffer);
  }
  return p;
}

char* membuf_pointer_at(MemBuffer* buffer, int32_t position, int32_t* length) {
  int32_t offset = position;
  MemChunk* chunk = membuf_locate(buffer, &offset, false);
  if (chunk == nullptr) return nullptr;
  if (length != nullptr) *length = std::max(0, std::min(*length, chunk->used - offset));
  return chunk->data + offset;
}

MemChunk* membuf_locate(MemBuffer* buffer, int32_t* position, bool allowEnd) {
  int32_t p = *position;
  if (p < 0 || p >= buffer->length) {
    if (!allowEnd || buffer->last == nullptr) return nullptr;
    *position = buffer->last->used;
    return buffer->last;
  }
  MemChunk* chunk = buffer->first;
  int32_t start = 0;
  if (buffer->cursor != nullptr && p >= buffer->cursorOffset) {
    chunk = buffer->cursor;
    start = buffer->cursorOffset;
  }
  while (chunk != nullptr && p >= start + chunk->used) {
    start += chunk->used;
    chunk = chunk->next;
  }
  if (chunk == nullptr) return nullptr;
  *position = p - start;
  return chunk;
}

char* membuf_flatten(MemBuffer* buffer, int32_t* size) {
  char* block;
  if (buffer->first == nullptr) {
    block = static_cast<char*>(xmalloc(1));
    block[0] = '\0';
    if (size != nullptr) *size = 1;
    xfree(buffer);
    return block;
  }
  if (buffer->first == buffer->last) {
    block = buffer->first->data;
    if (size == nullptr) {
      if (Room(buffer) > 0) {
        block = static_cast<char*>(xrealloc(block, static_cast<size_t>(buffer->length) + 1));
      }
    } else {
      *size = buffer->capacity + 1;
    }
    xfree(buffer->first);
    xfree(buffer);
    return block;
  }
  block = static_cast<char*>(
      xrealloc(buffer->first->data, static_cast<size_t>(buffer->length) + 1));
  int32_t at = buffer->first->used;
  MemChunk* chunk = buffer->first->next;
  xfree(buffer->first);
  while (chunk != nullptr) {
    std::memcpy(block + at, chunk->data, static_cast<size_t>(chunk->used));
    at += chunk->used;
    MemChunk* next = chunk->next;
    xfree(chunk->data);
    xfree(chunk);
    chunk = next;
  }
  block[at] = '\0';
  if (size != nullptr) *size = buffer->length + 1;
  xfree(buffer);
  return block;
}

IntList* intlist_new(int32_t initialCount, int32_t maxCount) {
  const auto bytes = [](int32_t count) {
    return count > 0 && count <= kMemDefaultLimit / 4 ? count * 4 : 0;
  };
  return membuf_new(bytes(initialCount), bytes(maxCount));
}

void intlist_free(IntList* list) { membuf_free(list); }

void intlist_push(IntList* list, int32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, 4);
  membuf_append(list, bytes, 4);
}

void intlist_set(IntList* list, int32_t index, int32_t value) {
  if (index < 0 || index >= intlist_count(list)) return;
  char bytes[4];
  std::memcpy(bytes, &value, 4);
  membuf_write_at(list, index * 4, bytes, 4);
}

void intlist_truncate(IntList* list, int32_t count) {
  if (count >= 0 && count <= intlist_count(list)) membuf_truncate(list, count * 4);
}

int32_t intlist_seek(IntList* list, int32_t index) {
  if (index < 0 || index > intlist_count(list)) return -1;
  const int32_t position = membuf_seek(list, index * 4, 0);
  return position < 0 ? position : position / 4;
}

int32_t intlist_next(IntList* list) {
  char bytes[4];
  if (list->length - list->readPosition < 4 || membuf_read_bytes(list, bytes, 4) != 4) return 0;
  int32_t value;
  std::memcpy(&value, bytes, 4);
  return value;
}

int32_t intlist_get(IntList* list, int32_t index) {
  if (index < 0 || index >= intlist_count(list)) return 0;
  char bytes[4];
  CopyOut(list, index * 4, bytes, 4);
  int32_t value;
  std::memcpy(&value, bytes, 4);
  return value;
}

int32_t intlist_count(const IntList* list) { return list->length / 4; }
