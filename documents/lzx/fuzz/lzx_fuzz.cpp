// libFuzzer target: arbitrary bytes as an LZX stream of up to 64 KB.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "documents/lzx/lzx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static LzxDecoder decoder;
  decoder.Init(15 + data[0] % 7);
  const int32_t wanted = 1 + ((data[1] << 8) | data[2]);
  std::vector<uint8_t> out(wanted);
  decoder.Decompress(data + 3, out.data(), static_cast<int32_t>(size - 3), wanted);
  return 0;
}
