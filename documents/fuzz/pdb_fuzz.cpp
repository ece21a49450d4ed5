// libFuzzer target: arbitrary bytes as a PalmDOC database, and as one
// compressed record for the decoder on its own.
#include <algorithm>
#include <string>
#include <vector>

#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"
#include "documents/palmdoc/palmdoc.h"

namespace {

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v >> 8);
  s[at + 1] = static_cast<char>(v);
}

void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v >> 16);
  Put16(s, at + 2, v & 0xFFFF);
}

// A database with record 0 and one text record.
std::string Pdb(uint32_t compression, const std::string& text) {
  constexpr size_t kRecordZero = 96;
  constexpr size_t kText = kRecordZero + 16;
  std::string file(kText, '\0');
  file.replace(0, 4, "seed");
  file.replace(60, 8, "TEXtREAd");
  Put16(file, 76, 2);
  Put32(file, 78, kRecordZero);
  Put32(file, 86, kText);
  Put16(file, kRecordZero, compression);
  Put32(file, kRecordZero + 4, static_cast<uint32_t>(text.size()));
  Put16(file, kRecordZero + 8, 1);
  Put16(file, kRecordZero + 10, 4096);
  return file + text;
}

std::vector<std::string> Seeds() {
  // Literals, a run of copied bytes, a back reference and a space pair.
  const std::string compressed = std::string("Hello") + "\x02xy" + "\x80\x10" + "\xE1" + "\x80\x0B";
  return {Pdb(2, compressed), Pdb(1, "stored text"), Pdb(17480, "")};
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    FuzzFiles files(data, size, "in.pdb");
    IsPalmDocFile(files.source());
    ConvertPdbToText(files.source(), files.target());
  }
  // The decoder alone, with room for everything and with too little room.
  const auto length = static_cast<int32_t>(std::min<size_t>(size, 0x10000));
  const int32_t expected = PalmDocDecodedLength(data, length);
  FUZZ_CHECK(expected >= 0 && expected <= 10 * length);
  for (const int32_t capacity : {expected, expected / 2}) {
    std::vector<uint8_t> output(static_cast<size_t>(capacity));
    const int32_t produced = DecompressPalmDoc(data, length, output.data(), capacity);
    FUZZ_CHECK(produced >= 0 && produced <= capacity);
  }
  return 0;
}
