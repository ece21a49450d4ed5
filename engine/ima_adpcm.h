// IMA ADPCM as the voice database stores it: one unit is a flag byte
// followed by 4-bit codes, two a byte, high nibble first. A flag byte of 1
// means the last decoded sample is padding. Every unit starts from
// predictor 0 and step index 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/types.h"

// Number of samples a unit of that many bytes decodes to.
size_t ImaAdpcmSampleCount(const BYTE* unit, size_t bytes);

// Decodes one unit and appends its samples to `out`.
void ImaAdpcmDecode(const BYTE* unit, size_t bytes, std::vector<int16_t>& out);

// Encodes samples as one unit (flag byte and codes) appended to `out`.
void ImaAdpcmEncode(const int16_t* samples, size_t count, std::vector<BYTE>& out);
