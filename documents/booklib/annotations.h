// A book's bookmarks, notes and underlines, read from and written to the
// annotation files beside it.
#pragma once

#include <string>

#include "documents/rb/rb_book.h"

// The base name of the annotation files: the book name when it ends in
// ".rb", else the info entry's "URL" (without "ebook:") plus ".rb", else the
// book name after its last '/'. folder is put in front.
std::string annotation_base_name(RbBook* book, const char* folder);
// Reads the combined file (".an"), or else the bookmark, note and underline
// files (".ra", ".rn", ".rh"); faults go to print_warning.
void annotation_read(RbBook* book, const char* folder);
// Writes the bookmark, note and underline files; null or a message.
const char* annotation_write(RbBook* book, const char* folder);
// Adds a record to the entry, ordered by position, and counts it.
void annotation_add(RbBook* book, RbTocEntry* entry, char kind, int32_t position, int32_t end,
                    const char* text);
// Moves note and underline positions to the places the reader shows them
// in the decoded text.
void rb_fix_anchors(RbTocEntry* entry, const char* text, int32_t length);
