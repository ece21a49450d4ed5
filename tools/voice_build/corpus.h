// The recordings read, analysed and aligned: for every utterance its
// samples, pitch marks and the stretches that can serve as units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/voice_build/front_end.h"
#include "tools/voice_build/pitch_marks.h"
#include "tools/voice_build/recording.h"

// One stretch of a recording that is a clean instance of a unit.
struct UnitCandidate {
  std::string name;
  int32_t utterance = 0;
  int32_t begin = 0, end = 0;  // samples
  float f0 = 0;                // mean over voiced frames, 0 when none
  float f0Spread = 0;          // standard deviation of log f0
  float voicedShare = 0;
  float rmsDb = 0;
};

struct Utterance {
  std::string id;
  std::vector<int16_t> samples;
  PitchMarks marks;
  std::vector<UnitCandidate> candidates;
  // Alignment: phonemes, and those matched exactly.
  int32_t phonemes = 0;
  int32_t exact = 0;
  bool usable = false;
};

struct CorpusPaths {
  std::string promptList;  // etc/txt.done.data
  std::string waveDir;     // wav/
  std::string labelDir;    // lab/
};

// Reads and analyses every utterance of the prompt list, on `threads`
// threads. `unvoicedPeriod` spaces the pseudo-marks.
std::vector<Utterance> AnalyseCorpus(const CorpusPaths& paths, const RussianFrontEnd& frontEnd,
                                     int32_t unvoicedPeriod,
                                     int threads, int32_t& sampleRate);

// Whether a phoneme is voiced throughout (vowels, sonorants, voiced
// obstruents): its pitch counts when choosing among instances.
bool IsVoicedPhoneme(const std::string& phoneme);
