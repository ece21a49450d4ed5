// Book info tables: key=value lines held in a hash table.
#pragma once

#include "documents/booklib/hash_table.h"

struct MemBuffer;
struct RbBook;

// Reads lines (at most 1024 bytes each), strips trailing blanks and keeps
// every line holding '=' split at the first one.
HashTable* info_table_read(MemBuffer* text);
// The book's first entry read as an info table.
HashTable* rb_read_info(RbBook* book);
// "COMMENT", "TITLE", "AUTHOR", "BODY", "URL", "GENERATOR" first, then the
// other keys; each as key=value and a line feed.
MemBuffer* info_table_text(const HashTable* table);
// Copies into the first table the entries it lacks.
void info_table_merge(HashTable* into, const HashTable* from);
const char* info_table_get(const HashTable* table, const char* key);
