// One file of fixed-length words: a 32-bit little-endian count, then count
// records of N Windows-1251 bytes, sorted by unsigned byte order. The file
// is held whole in memory and searched in place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "textanalysis/lexicon/packed_records.h"
#include "textanalysis/lexicon/record_index.h"

class WordFile {
 public:
  virtual ~WordFile() = default;

  // Reads folder + stem + decimal length. A missing file, or one whose size
  // is not exactly 4 + length * count bytes (count read as a non-negative
  // 32-bit number), leaves the object empty and gives false. A packed file
  // holds its records 6 bits per letter (packed_records.h).
  bool Load(const std::u16string& folder, const char* stem, int length, bool packed = false);
  void Clear();

  bool IsLoaded() const { return loaded_; }
  int Length() const { return length_; }
  INT Count() const { return count_; }
  // The bytes of record i (0 <= i < Count()), not terminated.
  const char* Record(INT i) const {
    return data_.data() + kHeaderBytes + static_cast<size_t>(i) * length_;
  }

  // The word is all Cyrillic letters, has Length() bytes and is one of the
  // records, byte for byte.
  bool Find(std::string_view word) const;

 protected:
  // The letters of a packed file's codes.
  virtual PackedAlphabet Alphabet() const { return PackedAlphabet::kWords; }
  // Called once the records are read and checked, before they are indexed:
  // a derived file may rewrite them in place (keeping their order).
  virtual void PrepareRecords(char* /*records*/) {}
  // The first record not less than the key (by `less`) among those that
  // share its first letters; `last` receives the end of their run.
  template <typename Less>
  INT Search(std::string_view key, Less less, INT& last) const {
    auto [low, high] = index_.RunOf(key);
    last = high;
    while (low < high) {
      const INT mid = low + (high - low) / 2;
      if (less(Record(mid)))
        low = mid + 1;
      else
        high = mid;
    }
    return low;
  }

 private:
  static constexpr size_t kHeaderBytes = 4;

  // The whole file; records are found from it on every call, so that a
  // copied or moved file never points into another one's bytes.
  std::string data_;
  RecordIndex index_;
  int length_ = 0;
  INT count_ = 0;
  bool loaded_ = false;
};
