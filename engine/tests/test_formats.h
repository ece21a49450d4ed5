// Wave formats of the engine tests.
#pragma once

#include "engine/wave_format.h"

inline WaveFormat Pcm(DWORD rate, WORD bits, WORD channels) {
  WaveFormat format;
  format.Set(rate, bits, channels);
  return format;
}
