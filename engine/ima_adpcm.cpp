#include "engine/ima_adpcm.h"

#include <algorithm>

namespace {

constexpr int kStepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr int kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// The predictor never reaches -32768.
constexpr int kPredictorLimit = 32767;

struct AdpcmState {
  int predictor = 0;
  int index = 0;

  int16_t Decode(int code) {
    const int step = kStepTable[index];
    int diff = step / 8;
    if (code & 4) diff += step;
    if (code & 2) diff += step / 2;
    if (code & 1) diff += step / 4;
    predictor += (code & 8) ? -diff : diff;
    predictor = std::clamp(predictor, -kPredictorLimit, kPredictorLimit);
    index = std::clamp(index + kIndexTable[code], 0, 88);
    return static_cast<int16_t>(predictor);
  }

  int Encode(int sample) {
    int diff = sample - predictor;
    int code = 0;
    if (diff < 0) {
      code = 8;
      diff = -diff;
    }
    int step = kStepTable[index];
    if (diff >= step) {
      code |= 4;
      diff -= step;
    }
    step /= 2;
    if (diff >= step) {
      code |= 2;
      diff -= step;
    }
    step /= 2;
    if (diff >= step) code |= 1;
    Decode(code);
    return code;
  }
};

}  // namespace

size_t ImaAdpcmSampleCount(const BYTE* unit, size_t bytes) {
  // A unit without codes holds no samples, whatever its flag says.
  if (bytes < 2) return 0;
  const size_t count = 2 * (bytes - 1);
  return unit[0] == 1 ? count - 1 : count;
}

void ImaAdpcmDecode(const BYTE* unit, size_t bytes, std::vector<int16_t>& out) {
  const size_t count = ImaAdpcmSampleCount(unit, bytes);
  AdpcmState state;
  const size_t first = out.size();
  out.reserve(first + count);
  for (size_t i = 1; i < bytes && out.size() - first < count; ++i) {
    out.push_back(state.Decode(unit[i] >> 4));
    if (out.size() - first < count) out.push_back(state.Decode(unit[i] & 0x0F));
  }
}

void ImaAdpcmEncode(const int16_t* samples, size_t count, std::vector<BYTE>& out) {
  AdpcmState state;
  out.push_back(count % 2 == 1 ? 1 : 0);
  for (size_t i = 0; i < count; i += 2) {
    const int high = state.Encode(samples[i]);
    const int low = i + 1 < count ? state.Encode(samples[i + 1]) : 0;
    out.push_back(static_cast<BYTE>((high << 4) | low));
  }
}
