// English phonetics of the phonetic processor: sound descriptions of the
// English phonemes, accent units and syllables of a phoneme list, and the
// allophone name of every phoneme from its place in the list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "phonetic/english_inventory.h"

class PhoneticEng {
 public:
  // A syllable: its first phoneme and the number of its phonemes.
  struct Syllable {
    size_t first = 0;
    size_t length = 0;
  };
  using AccentUnit = std::vector<Syllable>;

  PhoneticEng();

  // The allophone of every phoneme of the list; empty when some phoneme
  // gets no allophone.
  std::vector<std::string> PhonemesToAllophones(const std::vector<std::string>& phonemes) const;

  // The inventory's description of a phoneme name; 0 for an unknown name.
  SoundDescription GetSD(const std::string& name) const;

  // Accent units (the stretches between "_" and "#" marks) and their
  // syllables; each syllable ends in its vowel, and consonants after a
  // unit's last vowel join its last syllable.
  std::vector<AccentUnit> FindSyllables(const std::vector<std::string>& phonemes) const;

  // One description per phoneme: the inventory's, with the marks of its
  // neighbours, its syllable and its accent unit.
  std::vector<SoundDescription> AssignStress(const std::vector<std::string>& phonemes) const;

  // The phoneme an allophone name was made from.
  static std::string BasePhoneme(const std::string& allophone);

  static constexpr uint64_t kVowelBit = Sound::Vowel;

 private:
  void MarkNeighbours(const std::vector<std::string>& phonemes,
                      std::vector<SoundDescription>& marks) const;
  int PlosivePlace(const std::string& name) const;
  const std::string* ConsonantClass(const std::string& name) const;

  const EnglishTables& tables_;
  // Diagnostics are shown above level 0; nothing raises it.
  int32_t messageLevel_ = 0;
};

// The first index in [from, to] whose description is fully stressed; -1
// when there is none or the range is empty.
int64_t FindStressed(const std::vector<SoundDescription>& descriptions, int64_t from, int64_t to);
