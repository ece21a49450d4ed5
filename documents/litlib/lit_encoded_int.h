// The directory's encoded integers: big-endian base 128, a byte with the top
// bit clear ends the number.
#pragma once

#include <cstdint>

// Reads one number from [*p, end); advances *p. Stops at end when the last
// byte is missing.
uint64_t lit_read_encint(const uint8_t** p, const uint8_t* end);
// Bytes that lit_write_encint needs for the value.
int lit_encint_size(uint64_t value);
// Writes the value at p (lit_encint_size bytes); returns that count.
int lit_write_encint(uint8_t* p, uint64_t value);
