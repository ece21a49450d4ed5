// Decoding of an LZX-compressed section through its control data and reset
// table.
#pragma once

#include <cstdint>

#include "documents/litlib/lit_file.h"

// Looks the section's reset table up in the container and decodes the
// content; *decoded gets a new malloc'ed buffer of *decodedSize bytes.
int lit_decompress_section(lit_file* lit, const uint8_t* control, uint32_t controlSize,
                           const uint8_t* content, uint32_t contentSize, const char* sectionName,
                           uint8_t** decoded, uint32_t* decodedSize);

// The same with the reset table given.
int lit_decode_lzx_content(const uint8_t* control, uint32_t controlSize, const uint8_t* content,
                           uint32_t contentSize, const uint8_t* resetTable,
                           uint32_t resetTableSize, uint8_t** decoded, uint32_t* decodedSize);
