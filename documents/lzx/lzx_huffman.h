// Canonical Huffman codes of the LZX format: code lengths up to 16 bits, read
// most significant bit first. Short codes decode through one table lookup,
// longer ones by walking the code lengths.
#pragma once

#include <cstdint>
#include <vector>

#include "documents/lzx/lzx_bits.h"

class LzxHuffmanTable {
 public:
  static constexpr int kMaxCodeLength = 16;
  static constexpr uint16_t kNoSymbol = 0xFFFF;

  // tableBits: width of the direct lookup table.
  LzxHuffmanTable(int symbolCount, int tableBits);

  // Builds the decoder from the code lengths (0..16, 0 = unused symbol).
  // False for an over-subscribed code. An incomplete code is accepted; its
  // unused bit patterns fail when they are met.
  bool Build(const uint8_t* lengths);
  // True when no symbol has a code.
  bool Empty() const { return empty_; }

  // The next symbol, or kNoSymbol for a bit pattern outside the code.
  uint32_t Decode(LzxBitReader& bits) const {
    bits.Ensure(kMaxCodeLength);
    const uint32_t entry = table_[bits.Peek(tableBits_)];
    if ((entry & 0x1F) != 0) {
      bits.Skip(entry & 0x1F);
      return entry >> 5;
    }
    return DecodeLong(bits);
  }

 private:
  uint32_t DecodeLong(LzxBitReader& bits) const;

  int symbolCount_;
  int tableBits_;
  bool empty_ = true;
  // Entry: symbol << 5 | code length; 0 = look further (long code or none).
  std::vector<uint32_t> table_;
  uint16_t lengthCount_[kMaxCodeLength + 1] = {};
  std::vector<uint16_t> sortedSymbols_;
};
