// RB library routines outside the converter: an empty book, decoded
// lengths, URL types and the output routines of a book writer.
#pragma once

#include <cstdint>
#include <cstdio>

#include "documents/rb/rb_book.h"

RbBook* rb_new_book(const char* name);
// The decoded length: for a compressed entry the length stored after its
// chunk count, else the stored length; -1 when it cannot be read.
int32_t rb_entry_decoded_length(RbBook* book, const RbTocEntry* entry);
// The entry type of a URL's extension (before any '?' or '#', at most 31
// characters).
int32_t rb_url_type(const char* url);
// Marks a book as open for writing; rb_close then leaves it alone.
void rb_set_writing(RbBook* book, bool writing);

// Book writer output; each returns false when the write fails.
bool rb_write_byte(std::FILE* file, int byte);
bool rb_write_repeated(std::FILE* file, int byte, int32_t count);
bool rb_write_u16(std::FILE* file, uint32_t value);
bool rb_write_u32(std::FILE* file, uint32_t value);
bool rb_write_string(std::FILE* file, const char* text);
bool rb_write_block(std::FILE* file, const void* bytes, int32_t length);
// 32-byte name, u32 length, u32 offset, u32 flags AND 0xFF.
bool rb_write_toc_entry(std::FILE* file, const RbTocEntry* entry);
