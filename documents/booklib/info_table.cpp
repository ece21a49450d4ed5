#include "documents/booklib/info_table.h"

#include <cstring>

#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/xalloc.h"
#include "documents/rb/rb_book.h"

namespace {

constexpr int32_t kInfoBuckets = 101;
constexpr int32_t kLineSize = 1024;
const char* const kKnownKeys[] = {"COMMENT", "TITLE", "AUTHOR", "BODY", "URL", "GENERATOR"};

bool IsKnown(const char* key) {
  for (const char* known : kKnownKeys) {
    if (std::strcmp(known, key) == 0) return true;
  }
  return false;
}

void AppendPair(MemBuffer* out, const char* key, const char* value) {
  membuf_append_pieces(out, {{key, -1}, {"=", 1}, {value, -1}, {"\n", 1}});
}

}  // namespace

HashTable* info_table_read(MemBuffer* text) {
  HashTable* table = hash_new(kInfoBuckets, true, true);
  char line[kLineSize];
  while (membuf_read_line(text, line, kLineSize) > 0) {
    size_t length = std::strlen(line);
    while (length > 0 && (line[length - 1] == ' ' || line[length - 1] == '\t' ||
                          line[length - 1] == '\n' || line[length - 1] == '\r')) {
      line[--length] = '\0';
    }
    char* equals = std::strchr(line, '=');
    if (equals == nullptr) continue;
    *equals = '\0';
    xfree(hash_set(table, line, equals + 1));
  }
  return table;
}

HashTable* rb_read_info(RbBook* book) {
  MemBuffer* text = membuf_new(0, 0);
  if (RbTocEntry* first = rb_first_entry(book)) rb_read_entry(book, first, text, nullptr);
  membuf_seek(text, 0, 0);
  HashTable* table = info_table_read(text);
  membuf_free(text);
  return table;
}

MemBuffer* info_table_text(const HashTable* table) {
  MemBuffer* out = membuf_new(0, 0);
  for (const char* key : kKnownKeys) {
    if (const char* value = hash_get(table, key)) AppendPair(out, key, value);
  }
  const char** keys = hash_keys(table);
  for (const char** key = keys; *key != nullptr; ++key) {
    if (!IsKnown(*key)) AppendPair(out, *key, hash_get(table, *key));
  }
  xfree(keys);
  return out;
}

void info_table_merge(HashTable* into, const HashTable* from) {
  const char** keys = hash_keys(from);
  for (const char** key = keys; *key != nullptr; ++key) {
    if (hash_get(into, *key) == nullptr) {
      const char* value = hash_get(from, *key);
      xfree(hash_set(into, *key, into->copyValues ? value : xstrdup(value)));
    }
  }
  xfree(keys);
}

const char* info_table_get(const HashTable* table, const char* key) { return hash_get(table, key); }
