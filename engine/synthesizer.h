// The unit synthesizer: renders one piece (unit names and pause markers
// joined by ",") into 16-bit mono samples at the voice's rate.
#pragma once

#include <functional>
#include <string>

#include "engine/allobase.h"
#include "engine/audio_buffer.h"

struct SynthParams {
  // -rateRange ... +rateRange; positive is faster.
  int rate = 0;
  int rateRange = 10;
  // -10 ... +10; positive is higher.
  int pitch = 0;
  // 0 ... 10; the engine always sets it.
  int volume = -1;
};

// A stand-in for a unit the voice lacks, or "" when there is none. Asked
// only for voices of kind 1.
using SubstituteLookup = std::function<std::string(const std::string& unitName)>;

// Replaces the buffer's contents by the rendered piece (format: the voice's
// rate, 16 bits, mono). Units the voice lacks are skipped unless
// `substitute` names one the voice has. Returns true.
bool Synthesize(Allobase& voice, const std::string& allophones, AudioBuffer& buffer,
                const SynthParams& params, const SubstituteLookup& substitute);
