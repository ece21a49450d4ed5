#include "sonalik/sound_description.h"

#include <span>

namespace {

struct NamedFeature {
  SoundDescription bit;
  const char* name;
};

constexpr NamedFeature kPhoneFeatures[] = {
    {Sound::None, "None"},
    {Sound::Vowel, "Vowel"},
    {Sound::Stressed, "Stressed"},
    {Sound::Unstressed, "Unstressed"},
    {Sound::FullStressed, "FullStressed"},
    {Sound::PartialStressed, "PartialStressed"},
    {Sound::Pretonic, "Pretonic"},
    {Sound::Posttonic, "Posttonic"},
    {Sound::Consonant, "Consonant"},
    {Sound::Voiced, "Voiced"},
    {Sound::Voiceless, "Voiceless"},
    {Sound::Occlusive, "Occlusive"},
    {Sound::Fricative, "Fricative"},
    {Sound::Plosive, "Plosive"},
    {Sound::Sonant, "Sonant"},
    {Sound::Affricate, "Affricate"},
    {Sound::Hard, "Hard"},
    {Sound::Soft, "Soft"},
    {Sound::Nasal, "Nasal"},
    {Sound::Lateral, "Lateral"},
    {Sound::Vibrant, "Vibrant"},
    {Sound::Homoorganic, "Homoorganic"},
    {Sound::NonHomoorganic, "NonHomoorganic"},
    {Sound::SamePhoneme1, "SamePhoneme1"},
    {Sound::SamePhoneme2, "SamePhoneme2"},
    {Sound::Diphthong, "Diphthong"},
    {Sound::Neutral, "Neutral"},
    {Sound::Space, "Space"},
    {Sound::Terminator, "Terminator"},
    {Sound::Short, "Short"},
    {Sound::Long, "Long"},
    {Sound::Intonable, "Intonable"},
};

constexpr NamedFeature kSyllableFeatures[] = {
    {Sound::Open, "Open"},
    {Sound::Closed, "Closed"},
    {Sound::FirstSyl, "FirstSyl"},
    {Sound::MidSyl, "MidSyl"},
    {Sound::LastSyl, "LastSyl"},
    {Sound::StressedSyl, "StressedSyl"},
    {Sound::UnstressedSyl, "UnstressedSyl"},
    {Sound::PretonicSyl, "PretonicSyl"},
    {Sound::PosttonicSyl, "PosttonicSyl"},
    {Sound::Adjoining, "Adjoining"},
    {Sound::NonAdjoining, "NonAdjoining"},
};

constexpr NamedFeature kAccentUnitFeatures[] = {
    {Sound::FirstAU, "FirstAU"},
    {Sound::MidAU, "MidAU"},
    {Sound::LastAU, "LastAU"},
    {Sound::HasPretonicSyl, "HasPretonicSyl"},
    {Sound::NoPretonicSyl, "NoPretonicSyl"},
    {Sound::HasPosttonicSyl, "HasPosttonicSyl"},
    {Sound::NoPosttonicSyl, "NoPosttonicSyl"},
};

void AppendGroup(std::string& text, SoundDescription sd, std::span<const NamedFeature> group) {
  bool any = false;
  for (const NamedFeature& feature : group) {
    if (sd & feature.bit) {
      text += feature.name;
      text += ' ';
      any = true;
    }
  }
  if (any) text += "\r\n";
}

}  // namespace

std::string SoundDescriptionToText(SoundDescription sd) {
  if (sd == 0) return "Error";
  std::string text;
  AppendGroup(text, sd, kPhoneFeatures);
  AppendGroup(text, sd, kSyllableFeatures);
  AppendGroup(text, sd, kAccentUnitFeatures);
  return text;
}
