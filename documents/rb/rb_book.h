// RB e-books: a table of contents of named entries, each stored raw or as a
// series of zlib-compressed 4096-byte chunks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct MemBuffer;

enum RbEntryType : int32_t {
  RB_UNKNOWN = 0,
  RB_HTML = 1,
  RB_TEXT = 2,
  RB_RAW_TEXT = 3,
  RB_IMAGE = 4,
  RB_AUDIO = 5,
  RB_INFO = 6,
  RB_HIDX = 7,
  RB_HKEY = 8,
  RB_RB = 9,
  RB_COVER_IMAGE = 10,
  RB_MAYBE_HTML = 11,
  RB_IGNORE = 12,
};

enum RbEntryFlags : int32_t {
  RB_FLAG_NOT_DECODED = 0x1,
  RB_FLAG_INFO = 0x2,
  RB_FLAG_COMPRESSED = 0x8,
  RB_FLAG_SLICE = 0x100,  // in memory only: a slice of a joined page
};

enum RbOpenOptions : int32_t {
  RB_KEEP_INDEXES = 1,
  RB_KEEP_IMAGES = 2,
  RB_KEEP_AUDIO = 4,
  RB_SPLIT_JOINED = 8,
};

constexpr int kRbNameSize = 32;

// One bookmark ('a'), note ('N'/'n') or underline ('H'/'h'); capitals mark
// positions read from a file that still need adjusting.
struct RbAnnotation {
  RbAnnotation* next;
  int32_t position;
  int32_t end;
  char* text;
  char kind;
};

struct RbTocEntry {
  RbTocEntry* next;
  RbAnnotation* annotations;
  char name[kRbNameSize + 1];
  int32_t length;
  int32_t offset;
  int32_t flags;
  int32_t type;
  int16_t page;
  int32_t bookmarks;
  int32_t notes;
  int32_t underlines;
};

struct RbBook {
  std::FILE* file;
  char* name;
  bool writing;
  RbTocEntry* first;
  RbTocEntry* last;
  RbTocEntry* joinedPages;
  int32_t tocOffset;
  int32_t entryCount;
  int32_t headerValue;  // the 32-bit value at file offset 28
  int32_t currentPage;
  int32_t bookmarks;
  int32_t notes;
  int32_t underlines;
};

using RbSink = void (*)(void* sink, const char* bytes, int32_t length);

// Opens the book; a failure is told through print_warning with the name.
RbBook* rb_open(const char16_t* path, const char* name, int32_t options);
enum class RbOpenProblem { kNone, kCannotOpen, kNotProperFormat, kNoContents };
// rb_open telling nothing: *problem says why no book came back.
RbBook* rb_open_quietly(const char16_t* path, const char* name, int32_t options,
                        RbOpenProblem* problem);
void rb_close(RbBook* book);
// Delivers the entry's decoded bytes to the MemBuffer sink (null callback)
// or to the callback; 0.
int rb_read_entry(RbBook* book, RbTocEntry* entry, void* sink, RbSink callback);

RbTocEntry* rb_first_entry(RbBook* book);
RbTocEntry* rb_next_entry(RbTocEntry* entry);
const char* rb_entry_name(const RbTocEntry* entry);
int32_t rb_entry_length(const RbTocEntry* entry);
int32_t rb_entry_offset(const RbTocEntry* entry);
int32_t rb_entry_flags(const RbTocEntry* entry);
int32_t rb_entry_type_of(const RbTocEntry* entry);
RbAnnotation* rb_entry_annotations(const RbTocEntry* entry);

// The type of an extension (the text after the name's last '.'), or of a
// name without one when extension is null.
int32_t rb_entry_type(const char* extension);
// The type of an entry name.
int32_t rb_name_type(const char* name);
const char* rb_entry_type_name(int32_t type);
// The file name under which an entry is written for joining: every byte
// but ASCII letters, digits and "@#-+." becomes "_".
std::string RbTemporaryName(const char* entryName);

// Adds an extension to the list of ignored ones.
void rb_add_ignored_extension(const char* extension);
