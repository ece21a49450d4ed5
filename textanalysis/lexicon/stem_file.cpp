#include "textanalysis/lexicon/stem_file.h"

#include "textanalysis/lexicon/letter_bytes.h"

bool StemFile::Load(const std::u16string& folder, int length, bool packed) {
  stress_.clear();
  return WordFile::Load(folder, "wordsg3.dat", length, packed);
}

void StemFile::Clear() {
  WordFile::Clear();
  stress_.clear();
  stress_.shrink_to_fit();
}

void StemFile::PrepareRecords(char* records) {
  // Inline byte tests: a load touches every byte of megabytes. Backwards,
  // so that the first capital vowel gives the stress.
  const size_t n = static_cast<size_t>(Length());
  stress_.assign(static_cast<size_t>(Count()), kNoStress);
  for (size_t r = 0; r < stress_.size(); ++r) {
    char* record = records + r * n;
    for (size_t i = n; i-- > 0;) {
      const auto c = static_cast<unsigned char>(record[i]);
      if (IsUpperVowelByte(c)) stress_[r] = static_cast<uint8_t>(i);
      record[i] = static_cast<char>(LowerByte(c));
    }
  }
}

int StemFile::Find(std::string_view word, const EndingBase& endings) const {
  const size_t n = static_cast<size_t>(Length());
  if (!IsLoaded() || word.size() < n) return kNoStress;
  // A stem needs its ending; the small ending file is the cheaper test.
  if (n < word.size() && !endings.Find(word.substr(n))) return kNoStress;
  // First record not less than the word; a record equal to the word's first
  // N letters is less than a longer word.
  INT last = 0;
  const INT low = Search(
      word,
      [&](const char* record) {
        const int cmp = CompareBytes(record, word.data(), n);
        return cmp < 0 || (cmp == 0 && n < word.size());
      },
      last);
  if (n == word.size())
    return low < last && CompareBytes(Record(low), word.data(), n) == 0 ? stress_[low] : kNoStress;
  return low > 0 && CompareBytes(Record(low - 1), word.data(), n) == 0 ? stress_[low - 1]
                                                                       : kNoStress;
}
