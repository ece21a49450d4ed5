// The LIT container: headers, directory, name list and sections, read
// through caller-supplied callbacks. Every function returns 0 or a negative
// code (LitError). Buffers handed out are allocated with malloc; release them
// with lit_free.
#pragma once

#include <cstddef>
#include <cstdint>

#include "documents/common/little_endian.h"

enum LitError : int {
  LIT_OK = 0,
  LIT_MALFORMED = -1,
  LIT_NO_CALLBACK = -2000,
  LIT_TOO_DEEP = -2001,
  LIT_NO_MEMORY = -2002,
  LIT_READ_FAILED = -2010,
  LIT_LZX_FAILED = -2011,
  LIT_SHORT_WRITE = -2012,
  LIT_NOT_FOUND = -2030,
  LIT_FORMAT = -2100,
  LIT_VERSION = -2110,
  LIT_TOO_BIG = -2120,
  LIT_BAD_UTF8 = -2140,
  LIT_CHUNK_FULL = -2150,
  LIT_ENTRY_FULL = -2160,
  LIT_TRANSFORM = -2500,
};

constexpr int MAX_SECTION_NAME = 128;

// Returns a new malloc'ed buffer of exactly size bytes read at the offset,
// or null.
using LitReadCallback = uint8_t* (*)(void* handle, uint32_t offset, uint32_t size);
using LitWriteCallback = int32_t (*)(void* handle, const uint8_t* bytes, uint32_t size);

enum LitEntryKind : int { LIT_ENTRY_STORED = 1, LIT_ENTRY_MEMORY = 2 };

struct lit_file;

struct lit_entry {
  lit_entry* next;
  int kind;
  void* link;  // kind 1: another container (or null); kind 2: the data
  uint64_t section;
  uint64_t offset;
  uint64_t size;
  uint32_t nameLength;
  char name[1];  // nameLength bytes and a NUL; allocated to fit
};

struct lit_section {
  uint8_t* data;  // decoded bytes, null while not loaded
  uint32_t length;
  bool loading;
  char name[MAX_SECTION_NAME + 1];
};

struct lit_file {
  void* handle;
  LitReadCallback readAt;
  LitWriteCallback write;
  uint32_t fileSize;
  uint32_t contentOffset;
  lit_entry* entries;
  int32_t sectionCount;
  lit_section* sections;  // null until the name list is read
  uint8_t headerGuid[16];
  uint8_t piece3Guid[16];
  uint8_t piece4Guid[16];
  uint32_t directoryChunkSize;
  uint32_t directoryCompanion;
  uint32_t countChunkSize;
  uint32_t countCompanion;
  uint32_t caolWord;
  uint32_t itsfWords[2];
};

int lit_read(lit_file* lit);
int lit_read_headers(lit_file* lit);
// Finds an internal file by name (ignoring case); *size gets its size and,
// when data is not null, *data a new copy (null for size 0).
int lit_get_file(lit_file* lit, const char* name, uint8_t** data, uint32_t* size);
void lit_free_directory(lit_file* lit);
void lit_free(void* block);
// Text form of a 16-byte identifier, in a static buffer.
const char* lit_format_guid(const uint8_t* guid);
// The library's message hook; prints nothing in this program.
void lit_message(const char* format, ...);

