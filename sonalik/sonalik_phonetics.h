// The Russian phonetics behind the server object: the inventory and its
// codes, position descriptions, the allophone rules and the letter
// converter, over 8-bit lists ("A0,B,..."). Every operation only reads the
// tables, so one object serves several threads at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "runemap/sonalik_letter_converter.h"
#include "sonalik/allophone_rules.h"
#include "sonalik/sound_inventory.h"
#include "sonalik/sound_lookup.h"

class SonalikPhonetics {
 public:
  SonalikPhonetics();
  SonalikPhonetics(const SonalikPhonetics&) = delete;
  SonalikPhonetics& operator=(const SonalikPhonetics&) = delete;

  // The framed phoneme list of a text with stress marks, "" for a
  // misplaced mark.
  std::string LettersToPhonemes(const std::string& letters) const;
  // The allophones of the text's phoneme list (not checked for validity);
  // the phoneme list itself goes to `phonemes` when it is given.
  std::string LettersToAllophones(const std::string& letters, std::string* phonemes) const;
  // Nothing for a list that is not a valid phoneme list.
  std::optional<std::string> PhonemesToAllophones(const std::string& phonemes) const;
  // Nothing for a list of two or fewer elements or one not framed by "#".
  std::optional<std::string> AllophonesToPhonemes(const std::string& allophones) const;
  std::string AllophoneToPhoneme(const std::string& allophone) const;

  SoundDescription GetSoundDescription(const std::string& phoneme) const;
  // Position descriptions; nothing for a list that is not valid.
  std::optional<std::vector<SoundDescription>> GetSoundDescriptions(const std::string& phonemes) const;
  std::string SDtoString(SoundDescription sd) const;

  INT GetPhonemeCode(const std::string& phoneme) const;
  std::vector<INT> GetPhonemesCodes(const std::string& phonemes) const;
  // "" for a code no name has.
  std::string GetPhonemeByCode(INT code) const;
  INT GetVisemeCode(const std::string& phoneme) const;
  std::vector<INT> GetVisemesCodes(const std::string& phonemes) const;
  std::string EnumPhonemes() const;

  std::string GetBasicAllophone(const std::string& allophone) const;
  std::string GetSubstituteAllophone(const std::string& allophone) const;

  void SetDebugVerbosity(INT level) { sounds_.SetMessageLevel(level); }

 private:
  SoundInventory inventory_;
  SoundLookup sounds_{inventory_};
  AllophoneRuleProcessor rules_{sounds_};
  SonalikLetterConverter letters_;
};
