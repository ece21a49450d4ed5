#include "sonalik/sonalik_phonetics.h"

#include "foundation/string_utils.h"
#include "sonalik/position_info.h"

SonalikPhonetics::SonalikPhonetics()
    : letters_([this](std::string_view name) {
        return (inventory_.GetSD(name) & Sound::Consonant) != 0;
      }) {}

std::string SonalikPhonetics::LettersToPhonemes(const std::string& letters) const {
  return letters_.Convert(letters);
}

std::string SonalikPhonetics::LettersToAllophones(const std::string& letters,
                                                  std::string* phonemes) const {
  std::string list = letters_.Convert(letters);
  std::string allophones = JoinList(rules_.PhonemesToAllophones(SplitList(list)));
  if (phonemes) *phonemes = std::move(list);
  return allophones;
}

std::optional<std::string> SonalikPhonetics::PhonemesToAllophones(const std::string& phonemes) const {
  const std::vector<std::string> list = SplitList(phonemes);
  if (!IsValidPhonemeList(list, sounds_)) return std::nullopt;
  return JoinList(rules_.PhonemesToAllophones(list));
}

std::optional<std::string> SonalikPhonetics::AllophonesToPhonemes(const std::string& allophones) const {
  std::vector<std::string> list = SplitList(allophones);
  if (list.size() <= 2 || list.front() != "#" || list.back() != "#") return std::nullopt;
  for (std::string& item : list) item = AllophoneRuleProcessor::AllophoneToPhoneme(item);
  return JoinList(list);
}

std::string SonalikPhonetics::AllophoneToPhoneme(const std::string& allophone) const {
  return AllophoneRuleProcessor::AllophoneToPhoneme(allophone);
}

SoundDescription SonalikPhonetics::GetSoundDescription(const std::string& phoneme) const {
  return sounds_.GetSD(phoneme);
}

std::optional<std::vector<SoundDescription>> SonalikPhonetics::GetSoundDescriptions(
    const std::string& phonemes) const {
  const std::vector<std::string> list = SplitList(phonemes);
  if (!IsValidPhonemeList(list, sounds_)) return std::nullopt;
  return BuildPositionInfo(list, sounds_);
}

std::string SonalikPhonetics::SDtoString(SoundDescription sd) const {
  return SoundDescriptionToText(sd);
}

INT SonalikPhonetics::GetPhonemeCode(const std::string& phoneme) const {
  return inventory_.PhonemeCode(phoneme);
}

std::vector<INT> SonalikPhonetics::GetPhonemesCodes(const std::string& phonemes) const {
  std::vector<INT> codes;
  for (const std::string& name : SplitList(phonemes)) codes.push_back(inventory_.PhonemeCode(name));
  return codes;
}

std::string SonalikPhonetics::GetPhonemeByCode(INT code) const {
  const SoundEntry* entry = inventory_.ByPhonemeCode(code);
  return entry ? entry->name : std::string();
}

INT SonalikPhonetics::GetVisemeCode(const std::string& phoneme) const {
  return inventory_.VisemeCode(phoneme);
}

std::vector<INT> SonalikPhonetics::GetVisemesCodes(const std::string& phonemes) const {
  std::vector<INT> codes;
  for (const std::string& name : SplitList(phonemes)) codes.push_back(inventory_.VisemeCode(name));
  return codes;
}

std::string SonalikPhonetics::EnumPhonemes() const {
  std::vector<std::string> names;
  for (const SoundEntry& entry : inventory_.Entries()) names.push_back(entry.name);
  return JoinList(names);
}

std::string SonalikPhonetics::GetBasicAllophone(const std::string& allophone) const {
  return rules_.GetBasicAllophone(allophone);
}

std::string SonalikPhonetics::GetSubstituteAllophone(const std::string& allophone) const {
  return AllophoneRuleProcessor::GetSubstituteAllophone(allophone);
}
