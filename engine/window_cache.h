// Windowed analysis segments for overlap-add. A segment is windowed once
// and kept with its complement (segment minus windowed segment). Used again
// under the same ramp it gives the same windowed samples; used under the
// other ramp (the neighbouring window's half) it gives the complement, so
// the halves of neighbouring windows add up to the input samples exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class WindowCache {
 public:
  enum class Ramp { Rising, Falling };

  // The contribution of the segment that starts at `start` under `ramp`.
  // A segment not held is windowed afresh and replaces the older of the
  // two segments kept (the one with the smaller start).
  const std::vector<int16_t>& Window(const int16_t* segment, size_t length, int32_t start,
                                     Ramp ramp);

 private:
  struct Slot {
    int32_t key = -1;
    Ramp ramp = Ramp::Rising;
    std::vector<int16_t> windowed;
    std::vector<int16_t> complement;
  };
  Slot slots_[2];
};
