// English phonetics of the phonetic processor: sound descriptions of the
// English phonemes, accent units and syllables of a phoneme list, and the
// allophone name of every phoneme from its place in the list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "phonetic/english_inventory.h"
#include "sonalik/accent_units.h"

class PhoneticEng {
 public:
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
  // The phoneme of an allophone with a vowel's stress digit (the first of
  // "0125") made "0": the fully stressed vowel. "Y1" and "Y$" have no
  // stressed form and stay as they are.
  static std::string BasicAllophone(const std::string& allophone);
  // The allophone with a partial stress ("5" before the first ".") made a
  // full one ("0").
  static std::string SubstituteAllophone(const std::string& allophone);

  static constexpr uint64_t kVowelBit = Sound::Vowel;

 private:
  const std::string* ConsonantClass(const std::string& name) const;

  const EnglishTables& tables_;
  // Diagnostics are shown above level 0; nothing raises it.
  int32_t messageLevel_ = 0;
};
