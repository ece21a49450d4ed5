// Cuts one unit out of a recording: the label times snapped to pitch marks
// and then to the zero crossing before them, the voiced periods re-spaced
// to one target period by pitch-synchronous overlap-add (duration kept),
// and the unit's own pitch marks.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/voice_build/pitch_marks.h"

struct CutUnit {
  std::vector<int16_t> samples;
  std::vector<int32_t> marks;  // relative to the first sample, ascending
};

struct CutOptions {
  int32_t targetPeriod = 130;  // samples
  // Voiced periods change by at most this factor either way.
  float maxPeriodRatio = 1.3f;
};

CutUnit CutFlattenedUnit(const std::vector<int16_t>& signal, const PitchMarks& marks,
                         int32_t begin, int32_t end, const CutOptions& options);
