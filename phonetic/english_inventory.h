// The fixed tables of the English phonetics: the phoneme inventory with
// its sound descriptions, the consonant classes that name a vowel's left
// context, and the place of articulation of the plosives.
#pragma once

#include <map>
#include <string>

#include "sonalik/sound_description.h"

struct EnglishTables {
  std::map<std::string, std::string> consonantClasses;
  std::map<std::string, SoundDescription> inventory;
  std::map<std::string, int> plosivePlaces;
};

// Built once; the same tables for every object.
const EnglishTables& EnglishPhoneticTables();
