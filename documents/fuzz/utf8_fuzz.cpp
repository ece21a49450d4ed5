// libFuzzer target: arbitrary bytes as UTF-8 text.
#include <algorithm>
#include <string>
#include <vector>

#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"

namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds = {
      "\xEF\xBB\xBF\xD0\xBC\xD0\xB0\xD0\xBC\xD0\xB0 text \xD1\x91\xE2\x80\x94\xF0\x9F\x98\x80",
      "\xC0\x80\xED\xA0\x80\xF8\x88\x80\x80\x80\xFF\xFE\xD0",
  };
  seeds.push_back(Repeated(seeds[0], 25000));
  return seeds;
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFiles files(data, size, "in.txt");
  IsUtf8TextFile(files.source());
  FUZZ_CHECK(ConvertUtf8ToWin(files.source(), files.target()));
  const std::string output = files.Output();
  // One byte per character, one blank per undecodable byte.
  FUZZ_CHECK(output.size() <= size);
  // ASCII comes through as it is, but for NUL, which the converter's table
  // has no byte for.
  if (std::all_of(data, data + size, [](uint8_t c) { return c < 0x80; })) {
    std::string expected(reinterpret_cast<const char*>(data), size);
    std::replace(expected.begin(), expected.end(), '\0', ' ');
    FUZZ_CHECK(output == expected);
  }
  return 0;
}
