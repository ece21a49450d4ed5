#include "documents/litlib/lit_manifest.h"

#include <cstdlib>
#include <cstring>

namespace {

// A string of count UTF-8 characters, the count in one byte before it.
bool ReadCharacters(const uint8_t* data, uint32_t size, uint32_t& position, std::string& out) {
  if (position >= size) return false;
  uint32_t count = data[position++];
  const uint32_t start = position;
  while (count-- > 0) {
    if (position >= size) return false;
    ++position;
    while (position < size && (data[position] & 0xC0) == 0x80) ++position;
  }
  out.assign(reinterpret_cast<const char*>(data + start), position - start);
  return true;
}

}  // namespace

int lit_parse_manifest(const uint8_t* data, uint32_t size, lit_manifest* manifest) {
  for (auto& group : manifest->groups) group.clear();
  uint32_t position = 0;
  for (;;) {
    // Some writers leave out the end marker after the last block.
    if (position == size && position != 0) return LIT_OK;
    if (position >= size) return LIT_MALFORMED;
    const uint32_t nameLength = data[position++];
    if (nameLength == 0) break;
    if (nameLength > size - position) return LIT_MALFORMED;
    position += nameLength;
    for (auto& group : manifest->groups) {
      group.clear();
      if (size - position < 4) return LIT_MALFORMED;
      const uint32_t count = ReadLittleEndian32(data + position) & 0x7FFFFFFF;
      position += 4;
      // An item takes at least eight bytes.
      if (count > (size - position) / 8) return LIT_MALFORMED;
      group.resize(count);
      for (lit_manifest_item& item : group) {
        if (size - position < 4) return LIT_MALFORMED;
        item.offset = ReadLittleEndian32(data + position);
        position += 4;
        if (!ReadCharacters(data, size, position, item.internalName) ||
            !ReadCharacters(data, size, position, item.fileName) ||
            !ReadCharacters(data, size, position, item.mimeType) || position >= size) {
          return LIT_MALFORMED;
        }
        ++position;
      }
    }
  }
  return position == size ? LIT_OK : LIT_MALFORMED;
}

int lit_read_manifest(lit_file* lit, lit_manifest* manifest) {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  const int rc = lit_get_file(lit, "/manifest", &data, &size);
  if (rc != LIT_OK) return rc;
  const int parsed = lit_parse_manifest(data, size, manifest);
  std::free(data);
  return parsed;
}

const std::string* lit_manifest_file_name(const lit_manifest& manifest, const char* prefix,
                                          size_t prefixLength) {
  for (const auto& group : manifest.groups) {
    for (const lit_manifest_item& item : group) {
      if (item.internalName.compare(0, prefixLength, prefix, prefixLength) == 0 &&
          item.internalName.size() >= prefixLength) {
        return &item.fileName;
      }
    }
  }
  return nullptr;
}
