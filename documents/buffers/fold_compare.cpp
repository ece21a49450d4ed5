#include "documents/buffers/fold_compare.h"

#include <array>

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[c] = static_cast<unsigned char>((c >= 0x41 && c <= 0x5B) ? c + 0x20 : c);
  }
  return table;
}

constexpr std::array<unsigned char, 256> kFoldTable = MakeFoldTable();

int Folded(const char* p) { return kFoldTable[static_cast<unsigned char>(*p)]; }

}  // namespace

int fold_compare(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int diff = Folded(a) - Folded(b);
    if (diff != 0 || *a == '\0') return diff;
  }
}

int fold_compare_n(const char* a, const char* b, int32_t limit) {
  for (; limit > 0; --limit, ++a, ++b) {
    const int diff = Folded(a) - Folded(b);
    if (diff != 0 || *a == '\0') return diff;
  }
  return 0;
}
