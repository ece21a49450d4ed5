#include "documents/lzx/lzx_huffman.h"

#include <algorithm>

LzxHuffmanTable::LzxHuffmanTable(int symbolCount, int tableBits)
    : symbolCount_(symbolCount),
      tableBits_(tableBits),
      table_(size_t{1} << tableBits, 0),
      sortedSymbols_(symbolCount, 0) {}

bool LzxHuffmanTable::Build(const uint8_t* lengths) {
  for (int len = 0; len <= kMaxCodeLength; ++len) lengthCount_[len] = 0;
  for (int s = 0; s < symbolCount_; ++s) {
    if (lengths[s] > kMaxCodeLength) return false;
    ++lengthCount_[lengths[s]];
  }
  lengthCount_[0] = 0;

  // Kraft sum in units of 2^-16: above 1 the code is over-subscribed.
  uint32_t used = 0;
  for (int len = 1; len <= kMaxCodeLength; ++len) {
    used += static_cast<uint32_t>(lengthCount_[len]) << (kMaxCodeLength - len);
  }
  if (used > (1u << kMaxCodeLength)) return false;
  empty_ = used == 0;

  // Symbols sorted by code length, then by symbol: the canonical order.
  uint16_t start[kMaxCodeLength + 2] = {};
  for (int len = 1; len <= kMaxCodeLength; ++len) start[len + 1] = start[len] + lengthCount_[len];
  for (int s = 0; s < symbolCount_; ++s) {
    if (lengths[s] != 0) sortedSymbols_[start[lengths[s]]++] = static_cast<uint16_t>(s);
  }

  std::fill(table_.begin(), table_.end(), 0);
  uint32_t code = 0;
  int index = 0;
  for (int len = 1; len <= kMaxCodeLength; ++len) {
    for (int i = 0; i < lengthCount_[len]; ++i, ++code, ++index) {
      if (len > tableBits_) continue;
      const uint32_t first = code << (tableBits_ - len);
      const uint32_t count = 1u << (tableBits_ - len);
      const uint32_t entry = (static_cast<uint32_t>(sortedSymbols_[index]) << 5) | len;
      for (uint32_t j = 0; j < count; ++j) table_[first + j] = entry;
    }
    code <<= 1;
  }
  return true;
}

uint32_t LzxHuffmanTable::DecodeLong(LzxBitReader& bits) const {
  const uint32_t window = bits.Peek(kMaxCodeLength);
  uint32_t code = 0;
  uint32_t first = 0;
  uint32_t index = 0;
  for (int len = 1; len <= kMaxCodeLength; ++len) {
    code |= (window >> (kMaxCodeLength - len)) & 1;
    const uint32_t count = lengthCount_[len];
    if (code - first < count) {
      bits.Skip(len);
      return sortedSymbols_[index + code - first];
    }
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return kNoSymbol;
}
