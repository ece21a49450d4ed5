// The fixed tables of the English phonetics: the phoneme inventory with
// its sound descriptions, the consonant classes that name a vowel's left
// context.
#pragma once

#include <map>
#include <string>

#include "sonalik/sound_description.h"

struct EnglishTables {
  std::map<std::string, std::string> consonantClasses;
  std::map<std::string, SoundDescription> inventory;
};

// Built once; the same tables for every object.
const EnglishTables& EnglishPhoneticTables();
