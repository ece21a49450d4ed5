#include "phonetic/compiled_base_cursor.h"

bool CompiledBaseCursor::ReadInt32(int32_t& value) {
  if (Remaining() < 4) return false;
  const unsigned char* p = data_ + offset_;
  const uint32_t bits = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                        (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  value = static_cast<int32_t>(bits);
  offset_ += 4;
  return true;
}

bool CompiledBaseCursor::ReadCount(int32_t& count) { return ReadInt32(count) && count >= 0; }

bool CompiledBaseCursor::ReadPString(std::string_view& text) {
  uint8_t lengthByte = 0;
  if (!ReadByte(lengthByte)) return false;
  const int length = static_cast<int8_t>(lengthByte);
  if (length < 0 || Remaining() < static_cast<size_t>(length)) return false;
  text = std::string_view(reinterpret_cast<const char*>(data_ + offset_), static_cast<size_t>(length));
  offset_ += static_cast<size_t>(length);
  return true;
}

bool CompiledBaseCursor::ReadByte(uint8_t& value) {
  if (Remaining() < 1) return false;
  value = data_[offset_++];
  return true;
}
