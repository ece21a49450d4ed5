// Builds LZX streams of uncompressed blocks for the tests: bits are packed
// most significant first into 16-bit little-endian words.
#pragma once

#include <cstdint>
#include <vector>

class LzxStreamWriter {
 public:
  void Bits(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      word_ = static_cast<uint16_t>((word_ << 1) | ((value >> i) & 1));
      if (++used_ == 16) Flush();
    }
  }
  // The stream header: E8 translation off, or on with the file size.
  void Header(int32_t e8FileSize) {
    Bits(e8FileSize != 0, 1);
    if (e8FileSize != 0) {
      Bits(static_cast<uint32_t>(e8FileSize) >> 16, 16);
      Bits(static_cast<uint32_t>(e8FileSize) & 0xFFFF, 16);
    }
  }
  void BlockHeader(int type, uint32_t size) {
    Bits(type, 3);
    Bits(size >> 8, 16);
    Bits(size & 0xFF, 8);
  }
  void Uncompressed(const std::vector<uint8_t>& data) {
    BlockHeader(3, static_cast<uint32_t>(data.size()));
    // 1 to 16 bits of padding, then R0, R1, R2 and the bytes.
    if (used_ == 0) Bits(0, 16);
    while (used_ != 0) Bits(0, 1);
    for (int r = 0; r < 3; ++r) {
      for (int i = 0; i < 4; ++i) bytes_.push_back(i == 0 ? 1 : 0);
    }
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) bytes_.push_back(0);
  }
  // Pads the last word (as after each frame).
  void Align() {
    while (used_ != 0) Bits(0, 1);
  }
  std::vector<uint8_t> Take() {
    Align();
    return bytes_;
  }

 private:
  void Flush() {
    bytes_.push_back(static_cast<uint8_t>(word_));
    bytes_.push_back(static_cast<uint8_t>(word_ >> 8));
    word_ = 0;
    used_ = 0;
  }
  std::vector<uint8_t> bytes_;
  uint16_t word_ = 0;
  int used_ = 0;
};
