#include "engine/wave_devices.h"

#include <algorithm>

#include "foundation/code_pages.h"
#include "platform/wave_in.h"

namespace {

// The name field need not end in a NUL when it is full.
template <class Caps>
std::string NameOf(const Caps& caps) {
  const WCHAR* end = std::find(caps.szPname, caps.szPname + MAXPNAMELEN, u'\0');
  return WideToNarrow(std::u16string(caps.szPname, end));
}

}  // namespace

UINT WaveOutDeviceCount() { return waveOutGetNumDevs(); }

std::string WaveOutDeviceName(UINT device) {
  WAVEOUTCAPSW caps{};
  if (waveOutGetDevCapsW(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return {};
  return NameOf(caps);
}

bool WaveOutAcceptsFormat(UINT device, const WaveFormat& format) {
  return waveOutOpen(nullptr, device, format.Get(), 0, 0, WAVE_FORMAT_QUERY) ==
         MMSYSERR_NOERROR;
}

UINT WaveInDeviceCount() { return waveInGetNumDevs(); }

std::string WaveInDeviceName(UINT device) {
  WAVEINCAPSW caps{};
  if (waveInGetDevCapsW(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return {};
  return NameOf(caps);
}

bool WaveInAcceptsFormat(UINT device, const WaveFormat& format) {
  return waveInOpen(nullptr, device, format.Get(), 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}
