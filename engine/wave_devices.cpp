#include "engine/wave_devices.h"

#include <algorithm>

#include "foundation/code_pages.h"
#include "platform/wave_in.h"

namespace {

// Output and input are asked alike, each through its own functions.
template <class Caps>
std::string DeviceName(MMRESULT (*getCaps)(UINT_PTR, Caps*, UINT), UINT device) {
  Caps caps{};
  if (getCaps(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return {};
  // The name field need not end in a NUL when it is full.
  const WCHAR* name = caps.szPname;
  const WCHAR* end = std::find(name, name + MAXPNAMELEN, u'\0');
  return WideToNarrow(std::u16string(name, end));
}

template <class Handle>
bool AcceptsFormat(MMRESULT (*open)(Handle*, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD),
                   UINT device, const WaveFormat& format) {
  return open(nullptr, device, format.Get(), 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

}  // namespace

UINT WaveOutDeviceCount() { return waveOutGetNumDevs(); }

std::string WaveOutDeviceName(UINT device) { return DeviceName(waveOutGetDevCapsW, device); }

bool WaveOutAcceptsFormat(UINT device, const WaveFormat& format) {
  return AcceptsFormat(waveOutOpen, device, format);
}

UINT WaveInDeviceCount() { return waveInGetNumDevs(); }

std::string WaveInDeviceName(UINT device) { return DeviceName(waveInGetDevCapsW, device); }

bool WaveInAcceptsFormat(UINT device, const WaveFormat& format) {
  return AcceptsFormat(waveInOpen, device, format);
}
