#include "documents/booklib/annotations.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "documents/booklib/hash_table.h"
#include "documents/booklib/info_table.h"
#include "documents/buffers/xalloc.h"

namespace {

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// The name with its last count characters replaced.
std::string Replaced(const std::string& name, size_t count, const char* ending) {
  return name.substr(0, name.size() >= count ? name.size() - count : 0) + ending;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

// The value of name="..." in the line, or false.
bool Attribute(const std::string& line, const char* name, std::string* value) {
  const std::string key = std::string(name) + "=\"";
  const size_t at = line.find(key);
  if (at == std::string::npos) return false;
  const size_t start = at + key.size();
  const size_t end = line.find('"', start);
  if (end == std::string::npos) return false;
  *value = line.substr(start, end - start);
  return true;
}

bool Hex(const std::string& text, int32_t* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 16);
  if (*end != '\0' || parsed < 0 || parsed > 0x7FFFFFFF) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '&' && text.compare(i + 1, 4, "amp;") == 0) i += 4;
  }
  return out;
}

// The entry named, or the slice of a joined page that holds the position.
RbTocEntry* EntryFor(RbBook* book, const std::string& name, int32_t position) {
  for (RbTocEntry* e = book->first; e != nullptr; e = e->next) {
    if (name == e->name) return e;
  }
  for (RbTocEntry* page = book->joinedPages; page != nullptr; page = page->next) {
    if (name != page->name) continue;
    for (RbTocEntry* e = book->first; e != nullptr; e = e->next) {
      if ((e->flags & RB_FLAG_SLICE) != 0 && e->page == page->page && position >= e->offset &&
          position < e->offset + e->length) {
        return e;
      }
    }
  }
  return nullptr;
}

// The first HTML entry: the older files do not name entries.
RbTocEntry* MainEntry(RbBook* book) {
  for (RbTocEntry* e = book->first; e != nullptr; e = e->next) {
    if (e->type == RB_HTML) return e;
  }
  return book->first;
}

bool ReadCombined(RbBook* book, const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadLines(path, lines)) return false;
  auto corrupt = [&] { print_warning("Annotation file %s is corrupt\n", path.c_str()); };
  if (lines.empty() || lines[0].find("<?xml") == std::string::npos ||
      lines[0].find("version=\"1.0\"") == std::string::npos) {
    corrupt();
    return true;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    char kind;
    const char* closing;
    if (line.rfind("<bookmark ", 0) == 0) {
      kind = 'a';
      closing = nullptr;
    } else if (line.rfind("<note ", 0) == 0) {
      kind = 'N';
      closing = "</note>";
    } else if (line.rfind("<underline ", 0) == 0) {
      kind = 'H';
      closing = "</underline>";
    } else {
      continue;
    }
    std::string file;
    std::string byte;
    std::string endByte;
    int32_t position = 0;
    int32_t end = 0;
    if (!Attribute(line, "file", &file) || !Attribute(line, "byte", &byte) ||
        !Hex(byte, &position) ||
        (kind == 'H' && (!Attribute(line, "endbyte", &endByte) || !Hex(endByte, &end)))) {
      corrupt();
      return true;
    }
    std::string text;
    if (closing != nullptr) {
      const size_t open = line.find('>');
      const size_t close = line.rfind(closing);
      if (open == std::string::npos || close == std::string::npos || close < open) {
        corrupt();
        return true;
      }
      text = Unescaped(line.substr(open + 1, close - open - 1));
    }
    RbTocEntry* entry = EntryFor(book, file, position);
    if (entry != nullptr) annotation_add(book, entry, kind, position, end, text.c_str());
  }
  return true;
}

void ReadOlder(RbBook* book, const std::string& path, const char* kindName, char kind) {
  std::vector<std::string> lines;
  if (!ReadLines(path, lines)) return;
  auto fault = [&] { print_warning("Invalid %s file %s\n", kindName, path.c_str()); };
  RbTocEntry* entry = MainEntry(book);
  if (entry == nullptr) return;
  if (kind == 'H') {
    if (lines.empty() || lines[0] != "REV=2") return fault();
    for (size_t i = 1; i < lines.size(); ++i) {
      if (lines[i].empty()) continue;
      const size_t endAt = lines[i].find(" END=");
      const size_t bodyAt = lines[i].find(" BODY=");
      int32_t start = 0;
      int32_t end = 0;
      if (lines[i].rfind("START=", 0) != 0 || endAt == std::string::npos ||
          bodyAt == std::string::npos || bodyAt < endAt ||
          !Hex(lines[i].substr(6, endAt - 6), &start) ||
          !Hex(lines[i].substr(endAt + 5, bodyAt - endAt - 5), &end)) {
        return fault();
      }
      annotation_add(book, entry, kind, start, end, lines[i].c_str() + bodyAt + 6);
    }
    return;
  }
  if (lines.empty() || lines[0] != "REV=1") return fault();
  int32_t position = -1;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("Byte=", 0) == 0) {
      if (!Hex(line.substr(5), &position)) return fault();
    } else if (line.rfind("Body=", 0) == 0) {
      if (position < 0) return fault();
      annotation_add(book, entry, kind, position, position, line.c_str() + 5);
      position = -1;
    } else if (!line.empty() && line.rfind("Menu=", 0) != 0) {
      return fault();
    }
  }
}

int Count(const RbTocEntry* entry, char kind) {
  int n = 0;
  for (const RbAnnotation* a = entry->annotations; a != nullptr; a = a->next) {
    if (std::tolower(a->kind) == kind) ++n;
  }
  return n;
}

const char* WriteKind(RbBook* book, const std::string& path, char kind, const char* failure) {
  bool any = false;
  for (const RbTocEntry* e = book->first; e != nullptr; e = e->next) any |= Count(e, kind) > 0;
  if (!any) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return failure;
  bool ok = std::fputs(kind == 'h' ? "REV=2" : "REV=1", file) >= 0;
  if (kind == 'h') ok = ok && std::fputs("\r\n", file) >= 0;
  for (const RbTocEntry* e = book->first; e != nullptr; e = e->next) {
    for (const RbAnnotation* a = e->annotations; a != nullptr; a = a->next) {
      if (std::tolower(a->kind) != kind) continue;
      const char* text = a->text != nullptr ? a->text : "";
      if (kind == 'h') {
        ok = ok && std::fprintf(file, "START=%x END=%x BODY=%s\r\n", a->position, a->end, text) > 0;
      } else {
        const int32_t position = kind == 'n' ? a->position - 1 : a->position;
        ok = ok && std::fprintf(file, "\r\nByte=%x\r\nMenu=%s\r\nBody=%s\r\n", position, text,
                                text) > 0;
      }
    }
  }
  if (std::fclose(file) != 0) ok = false;
  return ok ? nullptr : failure;
}

void Resort(RbTocEntry* entry) {
  RbAnnotation* list = entry->annotations;
  entry->annotations = nullptr;
  while (list != nullptr) {
    RbAnnotation* a = list;
    list = list->next;
    RbAnnotation** link = &entry->annotations;
    while (*link != nullptr && (*link)->position <= a->position) link = &(*link)->next;
    a->next = *link;
    *link = a;
  }
}

}  // namespace

std::string annotation_base_name(RbBook* book, const char* folder) {
  std::string name = book->name != nullptr ? book->name : "";
  if (!EndsWith(name, ".rb")) {
    std::string url;
    if (book->file != nullptr && book->first != nullptr) {
      HashTable* info = rb_read_info(book);
      if (const char* value = hash_get(info, "URL")) url = value;
      hash_free(info);
    }
    if (url.rfind("ebook:", 0) == 0) url.erase(0, 6);
    if (!url.empty()) {
      name = url + ".rb";
    } else {
      const size_t slash = name.rfind('/');
      if (slash != std::string::npos) name.erase(0, slash + 1);
    }
  }
  return std::string(folder) + name;
}

void annotation_add(RbBook* book, RbTocEntry* entry, char kind, int32_t position, int32_t end,
                    const char* text) {
  auto* a = static_cast<RbAnnotation*>(xcalloc(1, sizeof(RbAnnotation)));
  a->kind = kind;
  a->position = position;
  a->end = end;
  a->text = xstrdup(text != nullptr ? text : "");
  RbAnnotation** link = &entry->annotations;
  while (*link != nullptr && (*link)->position <= position) link = &(*link)->next;
  a->next = *link;
  *link = a;
  switch (std::tolower(kind)) {
    case 'a': ++entry->bookmarks, ++book->bookmarks; break;
    case 'n': ++entry->notes, ++book->notes; break;
    default: ++entry->underlines, ++book->underlines; break;
  }
}

void annotation_read(RbBook* book, const char* folder) {
  const std::string base = annotation_base_name(book, folder);
  if (ReadCombined(book, Replaced(base, 2, "an"))) return;
  ReadOlder(book, Replaced(base, 1, "a"), "bookmark", 'a');
  ReadOlder(book, Replaced(base, 1, "n"), "note", 'N');
  ReadOlder(book, Replaced(base, 1, "h"), "underline", 'H');
}

const char* annotation_write(RbBook* book, const char* folder) {
  const std::string base = annotation_base_name(book, folder);
  if (const char* m = WriteKind(book, Replaced(base, 1, "a"), 'a', "Unable to write bookmark file")) {
    return m;
  }
  if (const char* m = WriteKind(book, Replaced(base, 1, "n"), 'n', "Unable to write note file")) {
    return m;
  }
  return WriteKind(book, Replaced(base, 1, "h"), 'h', "Unable to write underline file");
}

void rb_fix_anchors(RbTocEntry* entry, const char* text, int32_t length) {
  for (RbAnnotation* a = entry->annotations; a != nullptr; a = a->next) {
    int32_t p = a->position;
    if (p < 0 || p >= length) continue;
    if (a->kind == 'N') {
      while (p < length && text[p] == ' ') ++p;
      while (p < length && text[p] != '<') ++p;
      a->position = p;
      a->kind = 'n';
    } else if (a->kind == 'H') {
      while (p + 1 < length && text[p + 1] != ' ' && text[p + 1] != '<') ++p;
      a->position = p;
      a->kind = 'h';
    }
  }
  Resort(entry);
}
