#include "textanalysis/lexicon/stress_dictionary.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "textanalysis/lexicon/letter_bytes.h"

namespace {

// Words this long are never searched in the stem files.
constexpr size_t kLongWord = 25;

// The default stressed vowel (0-based among the word's vowels) by the
// number of vowels; every count beyond the table takes the last entry.
constexpr std::array<int, 12> kDefaultVowelByCount = {-1, 0, 1, 1, 2, 2, 2, 3, 4, 5, 6, 7};

constexpr unsigned char kSmallYo = 0xB8;
constexpr unsigned char kCapitalYo = 0xA8;

}  // namespace

StressDictionary::StressDictionary() : stems_(kMaxStemLength - kMinStemLength + 1) {}

bool StressDictionary::Load(const std::u16string& folder) {
  loaded_ = false;
  if (!endings_.Load(folder)) return false;
  for (size_t i = 0; i < stems_.size(); ++i) {
    if (!stems_[i].Load(folder, static_cast<int>(i) + kMinStemLength)) {
      for (StemFile& file : stems_) file.Clear();
      endings_.Clear();
      return false;
    }
  }
  loaded_ = true;
  return true;
}

int StressDictionary::SearchStems(std::string_view word) const {
  if (word.size() >= kLongWord) return kNoStress;
  for (size_t n = word.size(); n >= static_cast<size_t>(kMinStemLength); --n) {
    const int stress = stems_[n - kMinStemLength].Find(word, endings_);
    if (stress != kNoStress) return stress;
  }
  return kNoStress;
}

int StressDictionary::Lookup(std::string_view word) const {
  if (!IsAllLetterBytes(word)) return kNoStress;

  // Only the first vowels are ever chosen: no allocation per lookup.
  std::array<int, kDefaultVowelByCount.back() + 1> vowels{};
  size_t vowelCount = 0;
  for (size_t i = 0; i < word.size(); ++i) {
    if (!IsVowelByte(static_cast<unsigned char>(word[i]))) continue;
    if (vowelCount < vowels.size()) vowels[vowelCount] = static_cast<int>(i);
    ++vowelCount;
  }
  if (vowelCount == 0) return kNoStress;
  if (vowelCount == 1) return vowels[0];

  size_t yo = word.find(static_cast<char>(kSmallYo));
  if (yo == std::string_view::npos) yo = word.find(static_cast<char>(kCapitalYo));
  if (yo != std::string_view::npos) return static_cast<int>(yo);

  const int stress = SearchStems(word);
  if (stress != kNoStress) return stress;

  return vowels[kDefaultVowelByCount[std::min(vowelCount, kDefaultVowelByCount.size() - 1)]];
}

bool StressDictionary::Contains(std::string_view word) const {
  return IsAllLetterBytes(word) && SearchStems(word) != kNoStress;
}
