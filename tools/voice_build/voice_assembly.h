// From analysed recordings to the units of the voice: the best instance of
// every recorded name, cut with a flat pitch, loudness evened out, and every
// other name the stack can ask for filled from its nearest recorded one.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/voice_writer.h"
#include "tools/voice_build/corpus.h"

struct AssemblyReport {
  float targetF0 = 0;
  size_t recordedNames = 0;
  size_t filledNames = 0;
  // Filled name -> the recorded name it was copied from.
  std::map<std::string, std::string> fills;
};

// The chosen instance of each recorded unit name.
std::map<std::string, const UnitCandidate*> ChooseUnits(const std::vector<Utterance>& corpus,
                                                        float targetF0);

// The speaker's typical pitch: the median over the voiced candidates.
float MedianPitch(const std::vector<Utterance>& corpus);

std::vector<VoiceUnit> AssembleUnits(const std::vector<Utterance>& corpus, int32_t sampleRate,
                                     int threads, AssemblyReport& report);

// Scales every unit so that vowels share one loudness and each consonant
// its own median loudness.
void EvenOutLoudness(std::vector<VoiceUnit>& units);

// Root-mean-square level of a unit's samples.
double UnitRms(const std::vector<int16_t>& samples);
