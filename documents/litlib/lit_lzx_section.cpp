#include "documents/litlib/lit_lzx_section.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "documents/lzx/lzx_decoder.h"

namespace {

constexpr uint32_t kLow31 = 0x7FFFFFFF;
// LZX cannot expand one input byte into more than about a thousand output
// bytes; anything claiming more is not a real section.
constexpr uint64_t kMaxExpansion = 2048;

int WindowBits(uint32_t code) {
  int bits = 14;
  while (code != 0) {
    ++bits;
    code >>= 1;
  }
  return bits;
}

}  // namespace

int lit_decode_lzx_content(const uint8_t* control, uint32_t controlSize, const uint8_t* content,
                           uint32_t contentSize, const uint8_t* table, uint32_t tableSize,
                           uint8_t** decoded, uint32_t* decodedSize) {
  *decoded = nullptr;
  *decodedSize = 0;
  if (controlSize < 32 || std::memcmp(control + 4, "LZXC", 4) != 0) return LIT_FORMAT;
  const uint32_t code = ReadLittleEndian32(control + 12);
  if (code == 0) return LIT_MALFORMED;
  const int bits = WindowBits(code);
  if (bits < 15 || bits > 21) return LIT_MALFORMED;

  if (tableSize < 40) return LIT_FORMAT;
  if (ReadLittleEndian32(table + 20) != 0) return LIT_TOO_BIG;
  const uint32_t total = ReadLittleEndian32(table + 16) & kLow31;
  const uint64_t headerLength = ReadLittleEndian32(table + 12);
  const uint64_t blockSize = ReadLittleEndian32(table + 32) & kLow31;
  if (blockSize == 0 || headerLength > tableSize) return LIT_FORMAT;
  if (total > static_cast<uint64_t>(contentSize) * kMaxExpansion + 65536) return LIT_FORMAT;
  if (LZXinit(bits) != 0) return LIT_LZX_FAILED;
  const uint64_t window = uint64_t{1} << bits;

  uint8_t* out = static_cast<uint8_t*>(std::malloc(total == 0 ? 1 : total));
  if (out == nullptr) return LIT_NO_MEMORY;
  auto fail = [&](int rc) {
    std::free(out);
    return rc;
  };

  uint64_t done = 0;
  uint64_t spanStart = 0;
  uint64_t position = 0;
  for (uint64_t e = headerLength + 8; e + 8 <= tableSize; e += 8) {
    position += blockSize;
    if (position % window != 0) continue;
    if (ReadLittleEndian32(table + e + 4) != 0) return fail(LIT_TOO_BIG);
    const uint64_t offset = ReadLittleEndian32(table + e) & kLow31;
    if (offset > contentSize || offset < spanStart) return fail(LIT_FORMAT);
    if (total - done >= window) {
      LZXreset();
      if (LZXdecompress(content + spanStart, out + done, static_cast<int32_t>(offset - spanStart),
                        static_cast<int32_t>(window)) != 0) {
        return fail(LIT_MALFORMED);
      }
      done += window;
      spanStart = offset;
    }
  }
  // The rest, at most one window: from the last reset point to the end.
  const uint64_t missing = total - done;
  if (missing > window) return fail(LIT_LZX_FAILED);
  if (missing > 0) {
    LZXreset();
    if (LZXdecompress(content + spanStart, out + done, static_cast<int32_t>(contentSize - spanStart),
                      static_cast<int32_t>(missing)) != 0) {
      return fail(LIT_LZX_FAILED);
    }
  }
  *decoded = out;
  *decodedSize = total;
  return LIT_OK;
}

int lit_decompress_section(lit_file* lit, const uint8_t* control, uint32_t controlSize,
                           const uint8_t* content, uint32_t contentSize, const char* sectionName,
                           uint8_t** decoded, uint32_t* decodedSize) {
  *decoded = nullptr;
  *decodedSize = 0;
  // The window is checked before anything is read or allocated.
  if (controlSize < 32 || std::memcmp(control + 4, "LZXC", 4) != 0) return LIT_FORMAT;
  const int bits = WindowBits(ReadLittleEndian32(control + 12));
  if (ReadLittleEndian32(control + 12) == 0 || bits < 15 || bits > 21) return LIT_MALFORMED;
  const std::string name = std::string("::DataSpace/Storage/") + sectionName +
                           "/Transform/{0A9007C6-4076-11D3-8789-0000F8105754}"
                           "/InstanceData/ResetTable";
  uint8_t* table = nullptr;
  uint32_t tableSize = 0;
  int rc = lit_get_file(lit, name.c_str(), &table, &tableSize);
  if (rc != LIT_OK) return rc;
  rc = lit_decode_lzx_content(control, controlSize, content, contentSize, table, tableSize,
                              decoded, decodedSize);
  std::free(table);
  return rc;
}
