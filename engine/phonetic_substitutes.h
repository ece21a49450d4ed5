// Substitutes for missing units from the Russian phonetics object.
#pragma once

#include "engine/synthesizer.h"
#include "interfaces/sonalik.h"

// Asks IPhonetic::GetSubstituteAllophone; a failing call raises ComError.
// A null pointer gives an empty lookup (no substitutes).
SubstituteLookup PhoneticSubstitutes(IPhonetic* phonetic);

// Synthesize with the substitutes of `phonetic` (may be null).
bool Synthesize(Allobase& voice, const std::string& allophones, AudioBuffer& buffer,
                const SynthParams& params, IPhonetic* phonetic);
