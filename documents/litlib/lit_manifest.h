// The book's manifest ("/manifest"): which internal files hold which book
// files. Groups 0 and 1 hold documents stored as tag streams, groups 2 and 3
// files stored as plain bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "documents/litlib/lit_file.h"

struct lit_manifest_item {
  std::string internalName;
  std::string fileName;
  std::string mimeType;
  uint32_t offset = 0;
};

struct lit_manifest {
  std::vector<lit_manifest_item> groups[4];
};

int lit_read_manifest(lit_file* lit, lit_manifest* manifest);
// Parses the bytes of "/manifest".
int lit_parse_manifest(const uint8_t* data, uint32_t size, lit_manifest* manifest);
// The book file name of the first item whose internal name starts with the
// given bytes, or null.
const std::string* lit_manifest_file_name(const lit_manifest& manifest, const char* prefix,
                                          size_t prefixLength);
