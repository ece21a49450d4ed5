// PalmDOC e-texts: Palm databases of type "TEXt" and creator "REAd" whose
// text records may be compressed with the PalmDOC LZ77 code.
#pragma once

#include <cstdint>

bool IsPalmDocFile(const char16_t* path);

// Decodes into at most capacity bytes; returns the bytes written.
int32_t DecompressPalmDoc(const uint8_t* input, int32_t length, uint8_t* output,
                          int32_t capacity);
// What DecompressPalmDoc would produce without a capacity limit.
int32_t PalmDocDecodedLength(const uint8_t* input, int32_t length);

uint32_t ReadBigEndian16(const uint8_t* bytes);
uint32_t ReadBigEndian32(const uint8_t* bytes);
