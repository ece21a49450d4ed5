#include "sonalik/position_info.h"

#include <algorithm>

namespace {

using namespace Sound;

struct Syllable {
  int first;
  int last;
};

// A run of syllables in the syllable list.
struct Word {
  int firstSyllable;
  int count;
};

void MarkNeighbours(const std::vector<std::string>& list, const std::vector<const SoundEntry*>& entries,
                    std::vector<SoundDescription>& info) {
  const int n = static_cast<int>(list.size());
  for (int i = 0; i < n; ++i) {
    const SoundDescription own = entries[i]->sd;
    if (!(own & Consonant) || (own & None)) continue;
    const int place = entries[i]->placeClass;
    for (int j : {i - 1, i + 1}) {
      if (j < 0 || j >= n || place == 0 || entries[j]->placeClass == 0) continue;
      info[i] |= entries[j]->placeClass == place ? Homoorganic : NonHomoorganic;
    }
    if (i > 0 && list[i - 1] == list[i]) info[i] |= SamePhoneme2;
    if (i + 1 < n && list[i + 1] == list[i]) info[i] |= SamePhoneme1;
  }
}

// Each syllable ends in its vowel; consonants after a word's last vowel join
// its last syllable, and a word without a vowel is one syllable.
void SplitIntoWords(const std::vector<const SoundEntry*>& entries, std::vector<Syllable>& syllables,
                    std::vector<Word>& words) {
  const int n = static_cast<int>(entries.size());
  int start = 1;
  int wordStart = 0;
  for (int i = 1; i < n; ++i) {
    const SoundDescription sd = entries[i]->sd;
    if (sd & (Space | Terminator)) {
      if (entries[i - 1]->sd & Consonant) {
        if (static_cast<int>(syllables.size()) > wordStart) {
          syllables.back().last = i - 1;
        } else if (start <= i - 1) {
          syllables.push_back({start, i - 1});
        }
      }
      const int count = static_cast<int>(syllables.size()) - wordStart;
      if (count > 0) words.push_back({wordStart, count});
      wordStart = static_cast<int>(syllables.size());
      start = i + 1;
    } else if (sd & Vowel) {
      syllables.push_back({start, i});
      start = i + 1;
    }
  }
}

SoundDescription SyllableLowBits(int k, int count, int stressedIndex, bool closed) {
  SoundDescription bits;
  if (k == count - 1) {
    bits = LastSyl | (closed ? Closed : Open);
  } else if (k == 0) {
    bits = FirstSyl | Bit29;
  } else {
    bits = MidSyl | Bit27 | Bit29;
  }
  if (k == stressedIndex) bits |= StressedSyl;
  return bits;
}

SoundDescription SyllableHighBits(int k, int stressedIndex, bool hasStress) {
  if (!hasStress) return PretonicSyl | NonAdjoining | Bit48;
  if (k == stressedIndex) return Bit49;
  if (k < stressedIndex) return PretonicSyl | Bit48 | (k == stressedIndex - 1 ? Adjoining : NonAdjoining);
  return PosttonicSyl | Bit50 | (k == stressedIndex + 1 ? Adjoining : NonAdjoining);
}

SoundDescription AccentUnitBits(int w, int wordCount, int stressedIndex, int syllableCount,
                                bool hasStress) {
  SoundDescription bits;
  if (w == wordCount - 1) {
    bits = LastAU;
  } else if (w == 0) {
    bits = FirstAU | Bit41;
  } else {
    bits = MidAU | Bit39 | Bit41;
  }
  if (!hasStress) return bits | NoPretonicSyl | NoPosttonicSyl;
  bits |= stressedIndex > 0 ? HasPretonicSyl : NoPretonicSyl;
  bits |= stressedIndex == syllableCount - 1 ? NoPosttonicSyl : HasPosttonicSyl;
  return bits;
}

void MarkWord(const Word& word, int w, int wordCount, const std::vector<Syllable>& syllables,
              std::vector<SoundDescription>& info) {
  const Syllable* syl = &syllables[word.firstSyllable];
  const int count = word.count;
  const int first = syl[0].first;
  const int last = syl[count - 1].last;
  const int stressed = FindStressed(info, first, last);
  const bool hasStress = stressed >= 0;
  int j = count;
  if (hasStress) {
    for (int k = 0; k < count; ++k) {
      if (stressed >= syl[k].first && stressed <= syl[k].last) j = k;
    }
  }
  const bool closed = (info[last] & Consonant) != 0;
  for (int k = 0; k < count; ++k) {
    const SoundDescription high = SyllableHighBits(k, j, hasStress);
    const SoundDescription bits = SyllableLowBits(k, count, j, closed) | high;
    for (int i = syl[k].first; i <= syl[k].last; ++i) {
      if (info[i] & PartialStressed) {
        if (high & PretonicSyl) info[i] |= Pretonic;
        if (high & PosttonicSyl) info[i] |= Posttonic;
      }
      info[i] |= bits;
    }
  }
  const SoundDescription unitBits = AccentUnitBits(w, wordCount, j, count, hasStress);
  for (int i = first; i <= last; ++i) info[i] |= unitBits;
}

}  // namespace

int FindStressed(const std::vector<SoundDescription>& info, int from, int to) {
  if (from < 0) from = 0;
  const int end = std::min(to, static_cast<int>(info.size()) - 1);
  for (int i = from; i <= end; ++i) {
    if (info[i] & FullStressed) return i;
  }
  return -1;
}

std::vector<SoundDescription> BuildPositionInfo(const std::vector<std::string>& list,
                                                const SoundLookup& sounds) {
  const int n = static_cast<int>(list.size());
  std::vector<const SoundEntry*> entries(n);
  std::vector<SoundDescription> info(n);
  for (int i = 0; i < n; ++i) {
    entries[i] = sounds.Find(list[i]);
    if (!entries[i]) return {};
    info[i] = entries[i]->sd;
  }
  MarkNeighbours(list, entries, info);

  std::vector<Syllable> syllables;
  std::vector<Word> words;
  SplitIntoWords(entries, syllables, words);
  const int wordCount = static_cast<int>(words.size());
  for (int w = 0; w < wordCount; ++w) MarkWord(words[w], w, wordCount, syllables, info);
  return info;
}

bool IsValidPhonemeList(const std::vector<std::string>& list, const SoundLookup& sounds) {
  if (list.size() <= 2) return false;
  std::vector<const SoundEntry*> entries(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    entries[i] = sounds.Find(list[i]);
    if (!entries[i]) return false;
  }
  // A list need not be framed by "#": the allophone rules take what lies
  // beyond either end as a phrase edge.
  for (size_t i = 1; i < entries.size(); ++i) {
    if ((entries[i - 1]->sd & Sound::None) && (entries[i]->sd & Sound::None)) return false;
  }
  return true;
}
