#include "textanalysis/lexicon/packed_records.h"

#include <cstdint>

namespace {

constexpr size_t kHeaderBytes = 4;
constexpr int kBitsPerLetter = 6;
constexpr unsigned char kSmallA = 0xE0;    // 'а'
constexpr unsigned char kCapitalA = 0xC0;  // 'А'
constexpr char kSmallYo = '\xB8';          // 'ё'

}  // namespace

char PackedLetter(int code, PackedAlphabet alphabet) {
  if (code < 0) return '\0';
  if (code < 32) return static_cast<char>(kSmallA + code);
  if (alphabet == PackedAlphabet::kWords) return code == 32 ? kSmallYo : '\0';
  if (code < 64) return static_cast<char>(kCapitalA + (code - 32));
  return kSmallYo;
}

int PackedCode(std::string_view file, size_t k) {
  const size_t bit = kBitsPerLetter * k;
  const size_t byte = kHeaderBytes + bit / 8;
  const unsigned shift = bit % 8;
  unsigned value = static_cast<unsigned char>(file[byte]);
  // A code that straddles two bytes takes its high bits from the next one.
  if (shift + kBitsPerLetter > 8) value |= static_cast<unsigned>(static_cast<unsigned char>(file[byte + 1])) << 8;
  return static_cast<int>((value >> shift) & 0x3F);
}

bool UnpackRecords(std::string_view file, int length, PackedAlphabet alphabet, std::string& plain) {
  plain.clear();
  if (length <= 0 || file.size() < kHeaderBytes) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(file.data());
  const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                             static_cast<uint32_t>(b[2]) << 16 |
                                             static_cast<uint32_t>(b[3]) << 24);
  if (count < 0) return false;
  const uint64_t letters = static_cast<uint64_t>(length) * static_cast<uint64_t>(count);
  if (kHeaderBytes + (letters * kBitsPerLetter + 7) / 8 != file.size()) return false;
  plain.reserve(kHeaderBytes + letters);
  plain.assign(file.substr(0, kHeaderBytes));
  for (uint64_t k = 0; k < letters; ++k) {
    const char letter = PackedLetter(PackedCode(file, static_cast<size_t>(k)), alphabet);
    if (letter == '\0') {
      plain.clear();
      return false;
    }
    plain.push_back(letter);
  }
  return true;
}
