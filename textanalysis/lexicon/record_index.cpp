#include "textanalysis/lexicon/record_index.h"

#include <algorithm>
#include <array>

namespace {

// A code per byte that keeps byte order (never decreasing): each small
// Cyrillic letter and 'ё' get their own, the bytes between share one.
constexpr int kCodes = 35;

constexpr std::array<unsigned char, 256> MakeCodes() {
  std::array<unsigned char, 256> codes{};
  for (int b = 0; b < 256; ++b) {
    if (b < 0xB8)
      codes[b] = 0;
    else if (b == 0xB8)
      codes[b] = 1;
    else if (b < 0xE0)
      codes[b] = 2;
    else
      codes[b] = static_cast<unsigned char>(3 + (b - 0xE0));
  }
  return codes;
}

constexpr std::array<unsigned char, 256> kCode = MakeCodes();

}  // namespace

INT RecordIndex::Bucket(const char* bytes, size_t size) const {
  INT bucket = 0;
  for (int i = 0; i < keyBytes_; ++i)
    bucket = bucket * kCodes +
             (static_cast<size_t>(i) < size ? kCode[static_cast<unsigned char>(bytes[i])] : 0);
  return bucket;
}

void RecordIndex::Build(const char* records, int length, INT count) {
  keyBytes_ = std::min(length, 2);
  INT buckets = 1;
  for (int i = 0; i < keyBytes_; ++i) buckets *= kCodes;
  starts_.assign(static_cast<size_t>(buckets) + 1, count);
  // Walking backwards, each bucket starts at its first record; a bucket
  // without records starts where the next one does.
  for (INT r = count; r-- > 0;)
    starts_[Bucket(records + static_cast<size_t>(r) * length, length)] = r;
  for (INT b = buckets; b-- > 0;) starts_[b] = std::min(starts_[b], starts_[b + 1]);
}

std::pair<INT, INT> RecordIndex::RunOf(std::string_view key) const {
  if (starts_.empty()) return {0, 0};
  const INT bucket = Bucket(key.data(), key.size());
  return {starts_[bucket], starts_[bucket + 1]};
}
