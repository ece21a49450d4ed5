// Measures of a built voice: sample jumps where units meet, the spread of
// unit loudness, and speech rendered through the engine's synthesizer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/allobase.h"
#include "engine/voice_writer.h"
#include "tools/voice_build/front_end.h"

struct JoinMeasure {
  size_t joins = 0;
  int largestJump = 0;
  int jumpP99 = 0;
  // Largest step between neighbouring samples inside the units, for scale.
  int largestInnerStep = 0;
  double vowelLoudnessSpreadDb = 0;  // highest minus lowest vowel unit RMS
};

// Joins of consecutive units over the allophones of the given syntagmas.
JoinMeasure MeasureJoins(const std::vector<VoiceUnit>& units,
                         const std::vector<SpokenSyntagma>& syntagmas);

// A sentence rendered the way the engine renders pieces of a voice of kind
// 1: up to six words a piece, "INWOP" after each word and a pause marker
// after each syntagma. Samples at the voice's rate.
std::vector<int16_t> SpeakSyntagmas(Allobase& voice, const std::vector<SpokenSyntagma>& syntagmas);

// Words (runs of units) in rendered speech whose RMS is below `floor`.
size_t CountSilentWords(Allobase& voice, const std::vector<SpokenSyntagma>& syntagmas, double floor);
