#include "textanalysis/lexicon/word_file.h"

#include <utility>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "textanalysis/lexicon/letter_bytes.h"
#include "textanalysis/lexicon/whole_file.h"

namespace {

int32_t ReadLittleEndian32(const char* bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                              static_cast<uint32_t>(b[2]) << 16 |
                              static_cast<uint32_t>(b[3]) << 24);
}

}  // namespace

bool WordFile::Load(const std::u16string& folder, const char* stem, int length, bool packed) {
  Clear();
  if (length <= 0) return false;
  std::u16string path = folder;
  path += NarrowToWide(stem + IntToString(length));
  if (!ReadWholeFile(path, data_) || data_.size() < kHeaderBytes) {
    Clear();
    return false;
  }
  if (packed) {
    std::string plain;
    if (!UnpackRecords(data_, length, Alphabet(), plain)) {
      Clear();
      return false;
    }
    data_ = std::move(plain);
  }
  const int32_t count = ReadLittleEndian32(data_.data());
  // In 64 bits, so that no count can wrap the expected size round to the
  // real one.
  const uint64_t expected =
      kHeaderBytes + static_cast<uint64_t>(length) * static_cast<uint64_t>(count);
  if (count < 0 || expected != data_.size()) {
    Clear();
    return false;
  }
  length_ = length;
  count_ = count;
  PrepareRecords(data_.data() + kHeaderBytes);
  index_.Build(Record(0), length_, count_);
  loaded_ = true;
  return true;
}

void WordFile::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  index_.Clear();
  length_ = 0;
  count_ = 0;
  loaded_ = false;
}

bool WordFile::Find(std::string_view word) const {
  if (!loaded_ || static_cast<int>(word.size()) != length_ || !IsAllLetterBytes(word)) return false;
  INT last = 0;
  const INT low = Search(
      word, [&](const char* record) { return CompareBytes(record, word.data(), length_) < 0; },
      last);
  return low < last && CompareBytes(Record(low), word.data(), length_) == 0;
}
