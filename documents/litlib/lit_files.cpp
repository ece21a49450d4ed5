// Internal files: lookup, section loading and the name list.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_lzx_section.h"

namespace {

constexpr int kMaxDepth = 10;
constexpr uint32_t kLow31 = 0x7FFFFFFF;
const char kLzxTransform[] = "{0A9007C6-4076-11D3-8789-0000F8105754}";
const char kNameList[] = "::DataSpace/NameList";

bool SameNameIgnoringCase(const lit_entry* entry, const char* name, size_t length) {
  if (entry->nameLength != length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(entry->name[i])) !=
        std::tolower(static_cast<unsigned char>(name[i]))) {
      return false;
    }
  }
  return true;
}

lit_entry* FindEntry(const lit_file* lit, const char* name) {
  const size_t length = std::strlen(name);
  lit_entry* entry = lit->entries;
  while (entry != nullptr && !SameNameIgnoringCase(entry, name, length)) entry = entry->next;
  return entry;
}

uint8_t* Copy(const uint8_t* bytes, uint32_t size) {
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(size));
  if (copy != nullptr) std::memcpy(copy, bytes, size);
  return copy;
}

// An internal file that this code reads whole and frees.
struct InternalFile {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  ~InternalFile() { std::free(data); }
};

int GetFile(lit_file* lit, const char* name, uint8_t** data, uint32_t* size, int depth);

// Lookups made while loading a section count one level deeper, so that no
// chain of sections and name lists that refer to each other runs unbounded.
int ReadNameList(lit_file* lit, int depth) {
  // The name list tells where the sections are: one stored in a section
  // would need itself to be found.
  const lit_entry* entry = FindEntry(lit, kNameList);
  if (entry != nullptr && entry->kind == LIT_ENTRY_STORED && entry->link == nullptr &&
      entry->section != 0) {
    return LIT_MALFORMED;
  }
  InternalFile list;
  int rc = GetFile(lit, kNameList, &list.data, &list.size, depth + 1);
  if (rc != LIT_OK) return rc;
  if (list.size < 4) return LIT_MALFORMED;
  const uint32_t count = ReadLittleEndian16(list.data + 2);
  lit_section* sections =
      static_cast<lit_section*>(std::calloc(count == 0 ? 1 : count, sizeof(lit_section)));
  if (sections == nullptr) return LIT_NO_MEMORY;
  uint32_t position = 4;
  for (uint32_t i = 0; i < count; ++i) {
    if (position + 2 > list.size) {
      std::free(sections);
      return LIT_MALFORMED;
    }
    const uint32_t length = ReadLittleEndian16(list.data + position);
    if (length > MAX_SECTION_NAME || position + 2 + 2 * (length + 1) > list.size) {
      std::free(sections);
      return LIT_MALFORMED;
    }
    for (uint32_t c = 0; c < length; ++c) {
      sections[i].name[c] = static_cast<char>(list.data[position + 2 + 2 * c]);
    }
    sections[i].name[length] = '\0';
    position += 2 + 2 * (length + 1);
  }
  lit->sections = sections;
  lit->sectionCount = static_cast<int32_t>(count);
  return LIT_OK;
}

int ReadSection(lit_file* lit, lit_section* section, int depth) {
  const std::string storage = std::string("::DataSpace/Storage/") + section->name;
  InternalFile transforms;
  InternalFile control;
  uint8_t* content = nullptr;
  uint32_t contentSize = 0;
  // A section without transforms may lack the list and the control data.
  int rc = GetFile(lit, (storage + "/Transform/List").c_str(), &transforms.data,
                   &transforms.size, depth + 1);
  if (rc == LIT_NOT_FOUND) rc = LIT_OK;
  if (rc == LIT_OK) rc = GetFile(lit, (storage + "/Content").c_str(), &content, &contentSize,
                                 depth + 1);
  if (rc != LIT_OK) return rc;
  rc = GetFile(lit, (storage + "/ControlData").c_str(), &control.data, &control.size,
               depth + 1);
  if (rc == LIT_NOT_FOUND) rc = LIT_OK;
  if (rc != LIT_OK) {
    std::free(content);
    return rc;
  }
  uint64_t controlPosition = 0;
  for (uint32_t t = 0; t + 16 <= transforms.size; t += 16) {
    const char* guid = lit_format_guid(transforms.data + t);
    if (controlPosition + 4 > control.size) {
      rc = LIT_FORMAT;
      break;
    }
    const uint64_t blockSize =
        4 * (static_cast<uint64_t>(ReadLittleEndian32(control.data + controlPosition) & kLow31) + 1);
    if (controlPosition + blockSize > control.size) {
      rc = LIT_FORMAT;
      break;
    }
    if (std::strcmp(guid, kLzxTransform) != 0) {
      lit_message("Unrecognized transform: \"%s\".", guid);
      rc = LIT_TRANSFORM;
      break;
    }
    uint8_t* decoded = nullptr;
    uint32_t decodedSize = 0;
    rc = lit_decompress_section(lit, control.data + controlPosition,
                                static_cast<uint32_t>(blockSize), content, contentSize,
                                section->name, &decoded, &decodedSize);
    if (rc != LIT_OK) break;
    std::free(content);
    content = decoded;
    contentSize = decodedSize;
    controlPosition += blockSize;
  }
  if (rc != LIT_OK) {
    std::free(content);
    return rc;
  }
  section->data = content != nullptr ? content : static_cast<uint8_t*>(std::malloc(1));
  section->length = contentSize;
  return section->data != nullptr ? LIT_OK : LIT_NO_MEMORY;
}

int GetFile(lit_file* lit, const char* name, uint8_t** data, uint32_t* size, int depth) {
  if (data != nullptr) *data = nullptr;
  if (size != nullptr) *size = 0;
  if (depth > kMaxDepth) return LIT_TOO_DEEP;
  lit_entry* entry = FindEntry(lit, name);
  if (entry == nullptr) return LIT_NOT_FOUND;
  if (entry->kind == LIT_ENTRY_STORED && entry->link != nullptr) {
    return GetFile(static_cast<lit_file*>(entry->link), name, data, size, depth + 1);
  }
  if ((entry->size >> 32) != 0) return LIT_TOO_BIG;
  const uint32_t length = static_cast<uint32_t>(entry->size) & kLow31;
  if (size != nullptr) *size = length;
  if (data == nullptr || length == 0) return LIT_OK;

  if (entry->kind == LIT_ENTRY_MEMORY) {
    if (entry->link == nullptr) return LIT_TOO_DEEP;
    *data = Copy(static_cast<const uint8_t*>(entry->link), length);
    return *data != nullptr ? LIT_OK : LIT_NO_MEMORY;
  }
  if (entry->section == 0) {
    const uint64_t start = static_cast<uint64_t>(lit->contentOffset) + entry->offset;
    if (length > lit->fileSize || entry->offset > lit->fileSize ||
        start + length > lit->fileSize) {
      return LIT_FORMAT;
    }
    *data = lit->readAt(lit->handle, static_cast<uint32_t>(start), length);
    return *data != nullptr ? LIT_OK : LIT_READ_FAILED;
  }
  if (lit->sections == nullptr) {
    const int rc = ReadNameList(lit, depth);
    if (rc != LIT_OK) return rc;
  }
  if (entry->section >= static_cast<uint64_t>(lit->sectionCount)) return LIT_FORMAT;
  lit_section* section = &lit->sections[entry->section];
  if (section->data == nullptr) {
    // A section whose storage names point into itself.
    if (section->loading) return LIT_FORMAT;
    section->loading = true;
    const int rc = ReadSection(lit, section, depth);
    section->loading = false;
    if (rc != LIT_OK) return rc;
  }
  if (entry->offset > section->length || entry->offset + length > section->length) {
    return LIT_FORMAT;
  }
  *data = Copy(section->data + entry->offset, length);
  return *data != nullptr ? LIT_OK : LIT_NO_MEMORY;
}

}  // namespace

int lit_get_file(lit_file* lit, const char* name, uint8_t** data, uint32_t* size) {
  const int rc = GetFile(lit, name, data, size, 0);
  if (rc != LIT_OK) lit_message("Unable to get \"%s\" (%d).\n", name, rc);
  return rc;
}

void lit_free_directory(lit_file* lit) {
  lit_entry* entry = lit->entries;
  while (entry != nullptr) {
    lit_entry* next = entry->next;
    if (entry->kind == LIT_ENTRY_MEMORY) std::free(entry->link);
    std::free(entry);
    entry = next;
  }
  lit->entries = nullptr;
  if (lit->sections != nullptr) {
    for (int32_t i = 0; i < lit->sectionCount; ++i) std::free(lit->sections[i].data);
    std::free(lit->sections);
  }
  lit->sections = nullptr;
  lit->sectionCount = 0;
}

void lit_free(void* block) { std::free(block); }

const char* lit_format_guid(const uint8_t* g) {
  static char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                ReadLittleEndian32(g), ReadLittleEndian16(g + 4), ReadLittleEndian16(g + 6), g[8], g[9], g[10], g[11], g[12],
                g[13], g[14], g[15]);
  return text;
}

void lit_message(const char*, ...) {}
