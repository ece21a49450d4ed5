#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/xalloc.h"
#include "documents/common/little_endian.h"
#include "documents/rb/rb_book.h"
#include "platform/unicode.h"

namespace {

constexpr int kTocEntrySize = 44;
const char kPageSeparator[] = "\n<HR SIZE=0><A NAME=\"";
constexpr int kSeparatorSize = sizeof kPageSeparator - 1;  // 21
const char kFirstPage[] = "<A NAME=\"";

int32_t Le32(const unsigned char* p) { return static_cast<int32_t>(ReadLittleEndian32(p)); }

RbTocEntry* NewEntry(const char* name) {
  auto* entry = static_cast<RbTocEntry*>(xcalloc(1, sizeof(RbTocEntry)));
  std::memcpy(entry->name, name, strnlen(name, kRbNameSize));
  return entry;
}

void FreeEntries(RbTocEntry* entry) {
  while (entry != nullptr) {
    RbTocEntry* next = entry->next;
    for (RbAnnotation* a = entry->annotations; a != nullptr;) {
      RbAnnotation* following = a->next;
      xfree(a->text);
      xfree(a);
      a = following;
    }
    xfree(entry);
    entry = next;
  }
}

bool Dropped(const RbTocEntry* entry, int32_t options) {
  if ((entry->flags & RB_FLAG_INFO) != 0) return false;
  switch (entry->type) {
    case RB_IMAGE: return (options & RB_KEEP_IMAGES) == 0;
    case RB_AUDIO: return (options & RB_KEEP_AUDIO) == 0;
    case RB_HIDX:
    case RB_HKEY: return (options & RB_KEEP_INDEXES) == 0;
    default: return false;
  }
}

int JoinedPageNumber(const char* name) {
  if (std::strcmp(name, "joined.html") == 0) return 1;
  int number = 0;
  int consumed = 0;
  if (std::sscanf(name, "j%d.html%n", &number, &consumed) == 1 &&
      name[consumed] == '\0') {
    return number;
  }
  return 0;
}

void CollectBytes(void* sink, const char* bytes, int32_t length) {
  static_cast<std::string*>(sink)->append(bytes, length);
}

// Cuts a joined page into slices, one per anchor; returns them linked.
RbTocEntry* SplitJoinedPage(RbBook* book, RbTocEntry* page) {
  std::string text;
  rb_read_entry(book, page, &text, CollectBytes);
  size_t body = text.find("<BODY>");
  if (body == std::string::npos) {
    for (size_t at = text.find("BODY>"); at != std::string::npos; at = text.find("BODY>", at + 1)) {
      if (at > 0 && text[at - 1] == '<') {
        body = at - 1;
        break;
      }
    }
  }
  if (body == std::string::npos) return nullptr;
  RbTocEntry* slices = nullptr;
  RbTocEntry** tail = &slices;
  size_t start = text.find(kFirstPage, body);
  size_t introducer = sizeof kFirstPage - 1;
  while (start != std::string::npos) {
    const size_t nameStart = start + introducer;
    const size_t nameEnd = text.find_first_of(",\"", nameStart);
    const size_t next = text.find(kPageSeparator, nameStart);
    if (nameEnd != std::string::npos && text[nameEnd] == '"' && nameEnd - nameStart < 16) {
      RbTocEntry* slice =
          NewEntry((text.substr(nameStart, nameEnd - nameStart) + ".html").c_str());
      slice->type = RB_HTML;
      slice->flags = RB_FLAG_SLICE | RB_FLAG_COMPRESSED;
      slice->page = page->page;
      slice->offset = static_cast<int32_t>(start);
      slice->length =
          static_cast<int32_t>((next == std::string::npos ? text.size() : next) - start);
      *tail = slice;
      tail = &slice->next;
    }
    start = next;
    introducer = kSeparatorSize;
  }
  return slices;
}

void SplitJoinedPages(RbBook* book) {
  RbTocEntry** link = &book->first;
  RbTocEntry** joinedTail = &book->joinedPages;
  while (*link != nullptr) {
    RbTocEntry* entry = *link;
    const int number = JoinedPageNumber(entry->name);
    if (number <= 0) {
      link = &entry->next;
      continue;
    }
    *link = entry->next;
    entry->next = nullptr;
    entry->page = static_cast<int16_t>(number);
    *joinedTail = entry;
    joinedTail = &entry->next;
  }
  RbTocEntry* slices = nullptr;
  RbTocEntry** slicesTail = &slices;
  for (RbTocEntry* page = book->joinedPages; page != nullptr; page = page->next) {
    *slicesTail = SplitJoinedPage(book, page);
    while (*slicesTail != nullptr) slicesTail = &(*slicesTail)->next;
  }
  if (slices != nullptr && book->first != nullptr) {
    *slicesTail = book->first->next;
    book->first->next = slices;
  }
  book->last = book->first;
  while (book->last != nullptr && book->last->next != nullptr) book->last = book->last->next;
}

}  // namespace

RbBook* rb_open(const char16_t* path, const char* name, int32_t options) {
  RbOpenProblem problem = RbOpenProblem::kNone;
  RbBook* book = rb_open_quietly(path, name, options, &problem);
  switch (problem) {
    case RbOpenProblem::kNone: break;
    case RbOpenProblem::kCannotOpen: print_warning("Unable to open %s\n", name); break;
    case RbOpenProblem::kNotProperFormat:
      print_warning("%s is not in the proper format\n", name);
      break;
    case RbOpenProblem::kNoContents: print_warning("%s has no contents", name); break;
  }
  return book;
}

RbBook* rb_open_quietly(const char16_t* path, const char* name, int32_t options,
                        RbOpenProblem* problem) {
  *problem = RbOpenProblem::kNone;
  auto* book = static_cast<RbBook*>(xcalloc(1, sizeof(RbBook)));
  book->name = xstrdup(name);
  book->file = std::fopen(Utf16ToUtf8(path).c_str(), "rb");
  if (book->file == nullptr) {
    *problem = RbOpenProblem::kCannotOpen;
    rb_close(book);
    return nullptr;
  }
  unsigned char header[32];
  long fileSize = -1;
  if (std::fseek(book->file, 0, SEEK_END) == 0) fileSize = std::ftell(book->file);
  const bool headerOk = fileSize >= 32 && std::fseek(book->file, 0, SEEK_SET) == 0 &&
                        std::fread(header, 1, 32, book->file) == 32 &&
                        std::memcmp(header, "\xB0\x0C\xB0\x0C", 4) == 0 && header[4] == 2 &&
                        header[5] == 0;
  unsigned char countBytes[4];
  int64_t count = -1;
  if (headerOk) {
    book->tocOffset = Le32(header + 24);
    book->headerValue = Le32(header + 28);
    const int64_t toc = static_cast<uint32_t>(book->tocOffset);
    if (toc + 4 <= fileSize && std::fseek(book->file, static_cast<long>(toc), SEEK_SET) == 0 &&
        std::fread(countBytes, 1, 4, book->file) == 4) {
      count = static_cast<uint32_t>(Le32(countBytes));
      // The table must fit in the file before anything is allocated for it.
      if (toc + 4 + count * kTocEntrySize > fileSize) count = -1;
    }
  }
  if (count < 0) {
    *problem = RbOpenProblem::kNotProperFormat;
    rb_close(book);
    return nullptr;
  }
  book->entryCount = static_cast<int32_t>(count);
  for (int64_t i = 0; i < count; ++i) {
    unsigned char raw[kTocEntrySize];
    if (std::fread(raw, 1, kTocEntrySize, book->file) != kTocEntrySize) break;
    char entryName[kRbNameSize + 1] = {};
    std::memcpy(entryName, raw, kRbNameSize);
    RbTocEntry* entry = NewEntry(entryName);
    entry->length = Le32(raw + 32);
    entry->offset = Le32(raw + 36);
    entry->flags = Le32(raw + 40);
    entry->type = rb_name_type(entry->name);
    if (Dropped(entry, options)) {
      FreeEntries(entry);
    } else if ((entry->flags & RB_FLAG_INFO) != 0) {
      entry->next = book->first;
      book->first = entry;
      if (book->last == nullptr) book->last = entry;
    } else {
      if (book->last != nullptr) book->last->next = entry;
      else book->first = entry;
      book->last = entry;
    }
  }
  if (book->first == nullptr) {
    *problem = RbOpenProblem::kNoContents;
    rb_close(book);
    return nullptr;
  }
  if ((book->first->flags & RB_FLAG_INFO) == 0) {
    RbTocEntry* bogus = NewEntry("bogus.info");
    bogus->type = RB_INFO;
    bogus->flags = RB_FLAG_INFO;
    bogus->next = book->first;
    book->first = bogus;
  }
  if ((options & RB_SPLIT_JOINED) != 0) SplitJoinedPages(book);
  return book;
}

void rb_close(RbBook* book) {
  // A book open for writing belongs to its writer.
  if (book == nullptr || book->writing) return;
  if (book->file != nullptr) std::fclose(book->file);
  FreeEntries(book->first);
  FreeEntries(book->joinedPages);
  xfree(book->name);
  xfree(book);
}

RbTocEntry* rb_first_entry(RbBook* book) { return book->first; }
RbTocEntry* rb_next_entry(RbTocEntry* entry) { return entry->next; }
const char* rb_entry_name(const RbTocEntry* entry) { return entry->name; }
int32_t rb_entry_length(const RbTocEntry* entry) { return entry->length; }
int32_t rb_entry_offset(const RbTocEntry* entry) { return entry->offset; }
int32_t rb_entry_flags(const RbTocEntry* entry) { return entry->flags; }
int32_t rb_entry_type_of(const RbTocEntry* entry) { return entry->type; }
RbAnnotation* rb_entry_annotations(const RbTocEntry* entry) { return entry->annotations; }
