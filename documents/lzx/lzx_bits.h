// The LZX bit stream: 16-bit little-endian words whose bits are taken from
// the most significant down. Reads past the end deliver zero bits; Overrun()
// tells whether any of them were consumed.
#pragma once

#include <cstdint>

class LzxBitReader {
 public:
  LzxBitReader() = default;
  LzxBitReader(const uint8_t* data, int32_t length) { Start(data, length); }

  void Start(const uint8_t* data, int32_t length) {
    data_ = data;
    length_ = length;
    position_ = 0;
    buffer_ = 0;
    count_ = 0;
    padding_ = 0;
  }

  // At least n (<= 32) bits in the buffer.
  void Ensure(int n) {
    while (count_ < n) {
      uint32_t word;
      if (position_ + 1 < length_) {
        word = data_[position_] | (static_cast<uint32_t>(data_[position_ + 1]) << 8);
        position_ += 2;
      } else if (position_ < length_) {
        word = data_[position_];
        position_ = length_;
        padding_ += 8;
      } else {
        word = 0;
        padding_ += 16;
      }
      buffer_ |= static_cast<uint64_t>(word) << (48 - count_);
      count_ += 16;
    }
  }
  uint32_t Peek(int n) const { return static_cast<uint32_t>(buffer_ >> (64 - n)); }
  void Skip(int n) {
    buffer_ <<= n;
    count_ -= n;
  }
  uint32_t Read(int n) {
    if (n == 0) return 0;
    Ensure(n);
    const uint32_t value = Peek(n);
    Skip(n);
    return value;
  }
  // Drops the rest of the current 16-bit word.
  void AlignToWord() {
    const int partial = count_ & 15;
    Skip(partial);
  }
  // Drops the rest of the current word, or the whole next word when the
  // stream is aligned already.
  void SkipToNextWord() {
    const int partial = count_ & 15;
    if (partial != 0) {
      Skip(partial);
    } else {
      Ensure(16);
      Skip(16);
    }
  }
  // Byte position of the next unread bit; only meaningful when the stream is
  // aligned to a word. Forgets the buffered bits.
  int32_t TakeBytePosition() {
    const int32_t position = position_ - count_ / 8;
    buffer_ = 0;
    count_ = 0;
    return position;
  }
  void SetBytePosition(int32_t position) {
    position_ = position;
    buffer_ = 0;
    count_ = 0;
    padding_ = 0;
  }
  const uint8_t* Data() const { return data_; }
  int32_t Length() const { return length_; }
  // True when zero bits from beyond the end were consumed.
  bool Overrun() const { return padding_ > count_; }

 private:
  const uint8_t* data_ = nullptr;
  int32_t length_ = 0;
  int32_t position_ = 0;
  uint64_t buffer_ = 0;
  int count_ = 0;
  int64_t padding_ = 0;  // bits supplied beyond the end
};
