// RtfReader: a streaming RTF tokenizer that passes the body text through and
// drops the destinations that carry none (tables, headers, pictures, ...).
// Code pages are not interpreted: "\'hh" becomes the byte hh.
#pragma once

#include <cstdint>

class TextFile;
struct RtfReaderState;
struct RtfHandle;

// Read callback: up to n bytes into buffer, the count in *count; a non-zero
// result is an error code that ends parsing.
using RtfReadCallback = int32_t (*)(RtfHandle* handle, void* buffer, int32_t n, int32_t* count);
using RtfSizeCallback = int64_t (*)(RtfHandle* handle);
using RtfSeekCallback = int64_t (*)(RtfHandle* handle, int64_t offset, int origin);

struct RtfHandle {
  uint32_t size;
  TextFile* file;
  RtfReaderState* state;
  RtfSizeCallback sizeCallback;
  RtfSeekCallback seekCallback;
  RtfReadCallback readCallback;
};

constexpr int32_t kRtfInvalidParameter = 87;
constexpr int32_t kRtfNotEnoughMemory = 8;

// A group of no body text (a font table, a header, ...) that the document
// ends inside, from its "{" at start; the text after its last complete
// entry, from resumedAt on, is read as if the group had closed there
// (resumedAt -1: it holds no complete entry, nothing was read again).
struct RtfUnclosedGroup {
  int64_t start;
  int64_t resumedAt;
};

// Allocates the reader state; 0, or an error code when memory runs out.
int32_t RtfReaderCreate(RtfHandle* handle);
// Fills buffer with up to capacity bytes of text; *count 0 means the end.
int32_t RtfParse(RtfHandle* handle, char* buffer, int32_t capacity, int32_t* count);
void RtfReaderFree(RtfHandle* handle);
// The first such group met; start -1 when there was none.
RtfUnclosedGroup RtfFirstUnclosedGroup(const RtfHandle* handle);
