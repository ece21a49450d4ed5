// Pitch from the signal: an autocorrelation pitch track, and pitch marks
// found by peak picking one period after another in voiced stretches, with
// pseudo-marks at a fixed period in between.
#pragma once

#include <cstdint>
#include <vector>

struct PitchTrack {
  int32_t hop = 0;         // samples between frame centres
  std::vector<float> f0;   // Hz per frame, 0 where unvoiced
  // Frequency at a sample position, 0 where unvoiced.
  float At(int32_t sample) const;
};

PitchTrack TrackPitch(const std::vector<int16_t>& samples, int32_t sampleRate);

struct PitchMarks {
  std::vector<int32_t> positions;  // ascending
  std::vector<bool> voiced;        // per mark
};

// Marks over the whole signal; unvoiced parts get marks every
// `unvoicedPeriod` samples (evenly divided between voiced marks).
PitchMarks FindPitchMarks(const std::vector<int16_t>& samples, int32_t sampleRate,
                          const PitchTrack& track, int32_t unvoicedPeriod);
