// MemBuffer: a chunked byte buffer that grows without copying what it holds.
// Every chunk's block has one spare byte and the byte after the content of
// the last chunk is 0, so a one-chunk buffer is a NUL-terminated string.
// Free room exists only in the last chunk.
#pragma once

#include <cstdint>
#include <initializer_list>

struct MemChunk {
  MemChunk* next;
  char* data;     // block of at least used + 1 bytes
  int32_t used;   // bytes of content in this chunk
};

struct MemBuffer {
  MemChunk* first;
  MemChunk* last;
  MemChunk* cursor;      // chunk holding the read position
  int32_t chunkSize;     // growth step
  int32_t limit;         // largest growth step and largest single chunk
  int32_t capacity;      // bytes that fit without growing
  int32_t length;        // bytes of content
  int32_t readPosition;
  int32_t cursorOffset;  // content offset at which the cursor chunk begins
  int32_t sizeHint;      // 0, or the capacity the next growth should reach
};

// One (text, length) piece; a negative length means strlen(text).
struct MemPiece {
  const char* text;
  int32_t length;
};

constexpr int32_t kMemDefaultChunkSize = 128;
constexpr int32_t kMemDefaultLimit = 0x7fffffff;

MemBuffer* membuf_new(int32_t chunkSize, int32_t limit);
void membuf_free(MemBuffer* buffer);
int32_t membuf_truncate(MemBuffer* buffer, int32_t length);
void membuf_reserve(MemBuffer* buffer, int32_t n);
int32_t membuf_append_pieces(MemBuffer* buffer, std::initializer_list<MemPiece> pieces);
int32_t membuf_append(MemBuffer* buffer, const char* bytes, int32_t length);
int32_t membuf_append_str(MemBuffer* buffer, const char* text);
int32_t membuf_putc(MemBuffer* buffer, int byte);
void membuf_advance(MemBuffer* buffer, int32_t n);
void membuf_set_size_hint(MemBuffer* buffer, int32_t n);
// Takes ownership of a block allocated with xmalloc.
void membuf_adopt(MemBuffer* buffer, char* block, int32_t length, int32_t blockSize);
// Takes ownership of a node (and its block) allocated with xmalloc.
void membuf_append_chunk(MemBuffer* buffer, MemChunk* node);
void membuf_move_from(MemBuffer* buffer, MemBuffer* other);
void membuf_prepend_block(MemBuffer* buffer, char* block, int32_t length);
int32_t membuf_write_at(MemBuffer* buffer, int32_t position, const char* bytes, int32_t length);
int32_t membuf_write_pieces_at(MemBuffer* buffer, int32_t position,
                               std::initializer_list<MemPiece> pieces);
int32_t membuf_read_bytes(MemBuffer* buffer, char* destination, int32_t n);
int32_t membuf_read_line(MemBuffer* buffer, char* destination, int32_t size);
int membuf_peek_byte(MemBuffer* buffer);
int32_t membuf_length(const MemBuffer* buffer);
int32_t membuf_read_position(const MemBuffer* buffer);
int32_t membuf_seek(MemBuffer* buffer, int32_t offset, int origin);
char* membuf_read(MemBuffer* buffer, int32_t* length);
char* membuf_pointer_at(MemBuffer* buffer, int32_t position, int32_t* length);
MemChunk* membuf_locate(MemBuffer* buffer, int32_t* position, bool allowEnd);
// Frees the buffer and returns its content as one NUL-terminated block.
char* membuf_flatten(MemBuffer* buffer, int32_t* size);

// IntList: 32-bit values back to back in a MemBuffer.
using IntList = MemBuffer;
IntList* intlist_new(int32_t initialCount, int32_t maxCount);
void intlist_free(IntList* list);
void intlist_push(IntList* list, int32_t value);
void intlist_set(IntList* list, int32_t index, int32_t value);
void intlist_truncate(IntList* list, int32_t count);
int32_t intlist_seek(IntList* list, int32_t index);
int32_t intlist_next(IntList* list);
int32_t intlist_get(IntList* list, int32_t index);
int32_t intlist_count(const IntList* list);
