// Wave-in device queries with the Windows functions and records. The one
// capture device (id 0, or WAVE_MAPPER) is ALSA's "default" capture device;
// a machine without one has no wave-in device. Recording itself is not
// offered: only the queries are.
#pragma once

#include "platform/wave_out.h"

struct HWAVEIN__;
using HWAVEIN = HWAVEIN__*;
using LPHWAVEIN = HWAVEIN*;

struct WAVEINCAPSW {
  WORD wMid;
  WORD wPid;
  UINT vDriverVersion;
  WCHAR szPname[MAXPNAMELEN];
  DWORD dwFormats;
  WORD wChannels;
  WORD wReserved1;
};
using LPWAVEINCAPSW = WAVEINCAPSW*;

extern "C" {
// 1 when the capture device opens, else 0.
PLATFORM_API UINT waveInGetNumDevs();
// MMSYSERR_BADDEVICEID when there is no such device.
PLATFORM_API MMRESULT waveInGetDevCapsW(UINT_PTR deviceId, LPWAVEINCAPSW caps, UINT size);
// With WAVE_FORMAT_QUERY: MMSYSERR_NOERROR when the device takes the format,
// WAVERR_BADFORMAT when it does not, MMSYSERR_BADDEVICEID without a device.
// Without it: MMSYSERR_NOTSUPPORTED.
PLATFORM_API MMRESULT waveInOpen(LPHWAVEIN device, UINT deviceId, LPCWAVEFORMATEX format,
                                 DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
}
