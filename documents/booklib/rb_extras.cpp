#include "documents/booklib/rb_extras.h"

#include <cstring>
#include <string>

#include "documents/buffers/xalloc.h"
#include "documents/common/little_endian.h"

RbBook* rb_new_book(const char* name) {
  auto* book = static_cast<RbBook*>(xcalloc(1, sizeof(RbBook)));
  book->name = xstrdup(name);
  return book;
}

int32_t rb_entry_decoded_length(RbBook* book, const RbTocEntry* entry) {
  if ((entry->flags & (RB_FLAG_COMPRESSED | RB_FLAG_NOT_DECODED)) != RB_FLAG_COMPRESSED) {
    return entry->length;
  }
  unsigned char head[8];
  if (book->file == nullptr || std::fseek(book->file, entry->offset, SEEK_SET) != 0 ||
      std::fread(head, 1, 8, book->file) != 8) {
    return -1;
  }
  return static_cast<int32_t>(ReadLittleEndian32(head + 4));
}

int32_t rb_url_type(const char* url) {
  std::string path(url, std::strcspn(url, "?#"));
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("/:", dot) != std::string::npos) {
    return rb_entry_type(nullptr);
  }
  return rb_entry_type(path.substr(dot + 1, 31).c_str());
}

void rb_set_writing(RbBook* book, bool writing) { book->writing = writing; }

bool rb_write_byte(std::FILE* file, int byte) { return std::fputc(byte, file) != EOF; }

bool rb_write_repeated(std::FILE* file, int byte, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (!rb_write_byte(file, byte)) return false;
  }
  return true;
}

bool rb_write_u16(std::FILE* file, uint32_t value) {
  return rb_write_byte(file, value & 0xFF) && rb_write_byte(file, (value >> 8) & 0xFF);
}

bool rb_write_u32(std::FILE* file, uint32_t value) {
  return rb_write_u16(file, value & 0xFFFF) && rb_write_u16(file, value >> 16);
}

bool rb_write_string(std::FILE* file, const char* text) {
  return rb_write_block(file, text, static_cast<int32_t>(std::strlen(text)));
}

bool rb_write_block(std::FILE* file, const void* bytes, int32_t length) {
  return length <= 0 || std::fwrite(bytes, 1, length, file) == static_cast<size_t>(length);
}

bool rb_write_toc_entry(std::FILE* file, const RbTocEntry* entry) {
  char name[kRbNameSize] = {};
  std::memcpy(name, entry->name, strnlen(entry->name, kRbNameSize));
  return rb_write_block(file, name, kRbNameSize) && rb_write_u32(file, entry->length) &&
         rb_write_u32(file, entry->offset) && rb_write_u32(file, entry->flags & 0xFF);
}
