// Pitch-synchronous overlap-add: changes the duration and the pitch of a
// piece of speech by re-spacing the windows centred on its pitch marks.
#pragma once

#include <cstdint>
#include <vector>

struct PitchMark {
  // Sample index in the piece.
  int32_t position = 0;
  // Wanted period in samples, honoured when periodScale is 0.
  float targetPeriod = 0.0f;
  // Factor on the period (below 1 raises the voice); 0 leaves it to
  // targetPeriod.
  float periodScale = 0.0f;
  // Factor on the speed (above 1 is faster speech).
  float timeScale = 1.0f;
};

// Rewrites the samples in place. Marks must rise; with fewer than three
// there is no window to move and the samples stay as they are.
void ScaleUnit(std::vector<int16_t>& samples, const std::vector<PitchMark>& marks);
