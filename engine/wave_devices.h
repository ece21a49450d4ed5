// What the system's wave devices are: how many, their names and whether
// one takes a format. Names are 8-bit (Windows-1251) text, empty when the
// device cannot be asked.
#pragma once

#include <string>

#include "engine/wave_format.h"

UINT WaveOutDeviceCount();
std::string WaveOutDeviceName(UINT device);
bool WaveOutAcceptsFormat(UINT device, const WaveFormat& format);

UINT WaveInDeviceCount();
std::string WaveInDeviceName(UINT device);
bool WaveInAcceptsFormat(UINT device, const WaveFormat& format);
