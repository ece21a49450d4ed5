#include "documents/utf8/malformed_utf8.h"

#include "foundation/code_pages.h"

size_t BlankMalformedUtf8(std::string& text, size_t* sequences) {
  auto* p = reinterpret_cast<unsigned char*>(text.data());
  const size_t n = text.size();
  size_t blanked = 0;
  size_t wellFormed = 0;
  for (size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    // Russian letters, the common case, without the general check.
    if (p[i] >= 0xC2 && p[i] <= 0xDF && i + 1 < n && (p[i + 1] & 0xC0) == 0x80) {
      i += 2;
      ++wellFormed;
      continue;
    }
    const size_t length = Utf8SequenceLength(p, n, i);
    if (length == 0) {
      p[i++] = ' ';
      ++blanked;
    } else {
      i += length;
      ++wellFormed;
    }
  }
  if (sequences != nullptr) *sequences = wellFormed;
  return blanked;
}
