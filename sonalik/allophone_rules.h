// Names the allophone of every phoneme of a list from its neighbours, and
// goes back from allophones to phonemes, basic and substitute allophones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sonalik/sound_lookup.h"

class AllophoneRuleProcessor {
 public:
  explicit AllophoneRuleProcessor(const SoundLookup& sounds);

  // One allophone per phoneme; a position no rule names stays empty. A
  // missing neighbour at either end of the list reads as "#".
  std::vector<std::string> PhonemesToAllophones(const std::vector<std::string>& phonemes) const;

  // "#" and "_" unchanged, otherwise the part before the first "-".
  static std::string AllophoneToPhoneme(std::string_view allophone);
  // A vowel allophone with its stress digit turned into "0".
  std::string GetBasicAllophone(std::string_view allophone) const;
  // The unit to use when a voice lacks the allophone.
  static std::string GetSubstituteAllophone(std::string_view allophone);

 private:
  // What the rules need of an inventory name, by inventory index.
  struct RuleTraits {
    std::string_view base;  // the name before its stress digit
    bool diphthong = false;  // base is one of the two-letter vowel bases
    char contextGroup = 0;   // '1'..'5' for consonants that label a diphthong
  };

  void AppendAllophone(std::string& out, int i, const std::vector<std::string>& phonemes,
                       const std::vector<int>& index) const;

  const SoundLookup& sounds_;
  std::vector<RuleTraits> traits_;
  std::vector<char> clusters_;  // [x * size + q]: x keeps q as its context
  int terminator_ = -1;          // inventory index of "#"
};

// The name cut before its first stress digit ("0", "1", "2" or "5").
std::string_view SoundBase(std::string_view name);
