// Walks the bytes of a compiled allophone rule base. Every read is checked
// against the end of the data, so a truncated or damaged file fails the
// load instead of being read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class CompiledBaseCursor {
 public:
  CompiledBaseCursor(const unsigned char* data, size_t size) : data_(data), size_(size) {}

  // A little-endian signed 32-bit integer.
  bool ReadInt32(int32_t& value);
  // An int32 that counts records; a negative count is damage.
  bool ReadCount(int32_t& count);
  // One signed length byte (0 to 127), then that many bytes.
  bool ReadPString(std::string_view& text);
  bool ReadByte(uint8_t& value);

  size_t Remaining() const { return size_ - offset_; }

 private:
  const unsigned char* data_;
  size_t size_;
  size_t offset_ = 0;
};
