#include "documents/litlib/lit_encoded_int.h"

uint64_t lit_read_encint(const uint8_t** p, const uint8_t* end) {
  uint64_t value = 0;
  while (*p < end) {
    const uint8_t byte = *(*p)++;
    value = (value << 7) | (byte & 0x7F);
    if ((byte & 0x80) == 0) break;
  }
  return value;
}

int lit_encint_size(uint64_t value) {
  int n = 1;
  while ((value >>= 7) != 0) ++n;
  return n;
}

int lit_write_encint(uint8_t* p, uint64_t value) {
  const int n = lit_encint_size(value);
  for (int i = n - 1; i >= 0; --i) {
    p[i] = static_cast<uint8_t>((value & 0x7F) | (i == n - 1 ? 0 : 0x80));
    value >>= 7;
  }
  return n;
}
