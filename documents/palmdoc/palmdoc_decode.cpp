#include "documents/palmdoc/palmdoc.h"

#include <algorithm>
#include <cstring>

uint32_t ReadBigEndian16(const uint8_t* bytes) {
  return (static_cast<uint32_t>(bytes[0]) << 8) | bytes[1];
}

uint32_t ReadBigEndian32(const uint8_t* bytes) {
  return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
         (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

int32_t DecompressPalmDoc(const uint8_t* input, int32_t length, uint8_t* output,
                          int32_t capacity) {
  int32_t in = 0;
  int32_t out = 0;
  while (in < length && out < capacity) {
    const uint8_t c = input[in++];
    if (c >= 1 && c <= 8) {
      // A run cut short by the end of the input or of the output ends the
      // decoding with what it copied.
      const int32_t run = std::min({static_cast<int32_t>(c), length - in, capacity - out});
      std::memcpy(output + out, input + in, static_cast<size_t>(run));
      in += run;
      out += run;
      if (run < c) return out;
    } else if (c < 0x80) {
      output[out++] = c;
    } else if (c < 0xC0) {
      if (in >= length) break;
      const uint32_t v = (static_cast<uint32_t>(c) << 8) | input[in++];
      const int32_t distance = static_cast<int32_t>((v >> 3) & 0x7FF);
      const int32_t count = static_cast<int32_t>(v & 7) + 3;
      // A distance of 0 would read the byte being written.
      if (distance == 0 || distance > out || count > capacity - out) break;
      if (distance >= count) {
        std::memcpy(output + out, output + out - distance, static_cast<size_t>(count));
        out += count;
      } else {
        // An overlapping copy repeats the bytes just written.
        for (int32_t k = 0; k < count; ++k, ++out) output[out] = output[out - distance];
      }
    } else {
      output[out++] = ' ';
      if (out < capacity) output[out++] = c ^ 0x80;
    }
  }
  return out;
}

int32_t PalmDocDecodedLength(const uint8_t* input, int32_t length) {
  int32_t in = 0;
  int64_t total = 0;
  while (in < length) {
    const uint8_t c = input[in++];
    if (c >= 1 && c <= 8) {
      const int32_t run = c <= length - in ? c : length - in;
      total += run;
      in += run;
    } else if (c < 0x80) {
      total += 1;
    } else if (c < 0xC0) {
      if (in >= length) break;
      total += (input[in++] & 7) + 3;
    } else {
      total += 2;
    }
  }
  return total > 0x7fffffff ? 0x7fffffff : static_cast<int32_t>(total);
}
