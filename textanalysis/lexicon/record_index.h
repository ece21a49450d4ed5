// Where the records of a sorted word file begin for each start of two
// letters, so that a search only bisects the short run of records that
// share the key's start.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "platform/types.h"

class RecordIndex {
 public:
  // Records of `length` bytes, sorted by unsigned byte order.
  void Build(const char* records, int length, INT count);
  void Clear() { starts_.clear(); }

  // [first, last): every record before `first` is less than the key's
  // start, every record from `last` on greater.
  std::pair<INT, INT> RunOf(std::string_view key) const;

 private:
  INT Bucket(const char* bytes, size_t size) const;

  int keyBytes_ = 0;
  std::vector<INT> starts_;  // starts_[b]: first record of bucket b or later
};
