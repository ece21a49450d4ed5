// LZX decoding speed over the sections of a LIT book; run by hand:
//   lzx_bench <book.lit> [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_lzx_section.h"

namespace {

uint8_t* ReadAt(void* handle, uint32_t offset, uint32_t size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(handle);
  if (uint64_t(offset) + size > bytes->size()) return nullptr;
  auto* copy = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  std::copy(bytes->begin() + offset, bytes->begin() + offset + size, copy);
  return copy;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lzx_bench book.lit [rounds]\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) return 1;
  std::vector<uint8_t> bytes;
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
  std::fclose(file);
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;

  lit_file lit{};
  lit.handle = &bytes;
  lit.readAt = ReadAt;
  lit.fileSize = static_cast<uint32_t>(bytes.size());
  if (lit_read(&lit) != LIT_OK) return 1;
  const char* storage = "::DataSpace/Storage/MSCompressed/";
  uint8_t* control = nullptr;
  uint8_t* content = nullptr;
  uint8_t* table = nullptr;
  uint32_t controlSize = 0, contentSize = 0, tableSize = 0;
  if (lit_get_file(&lit, (std::string(storage) + "ControlData").c_str(), &control, &controlSize) ||
      lit_get_file(&lit, (std::string(storage) + "Content").c_str(), &content, &contentSize) ||
      lit_get_file(&lit, (std::string(storage) +
                          "Transform/{0A9007C6-4076-11D3-8789-0000F8105754}/InstanceData/ResetTable")
                             .c_str(),
                   &table, &tableSize)) {
    return 1;
  }
  uint64_t total = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r) {
    uint8_t* decoded = nullptr;
    uint32_t size = 0;
    if (lit_decode_lzx_content(control, controlSize, content, contentSize, table, tableSize,
                               &decoded, &size) != 0) {
      return 1;
    }
    total += size;
    std::free(decoded);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%llu bytes in %.3f s: %.1f MB/s\n", static_cast<unsigned long long>(total), seconds,
              total / seconds / 1e6);
  lit_free(control);
  lit_free(content);
  lit_free(table);
  lit_free_directory(&lit);
  return 0;
}
