// The system's wave-out functions as the engine's device calls them. The
// engine uses the system's; tests hand in their own to drive completions
// and failures.
#pragma once

#include "platform/wave_out.h"

class WaveOutPort {
 public:
  virtual UINT GetNumDevs() = 0;
  virtual MMRESULT Open(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format,
                        DWORD_PTR callback, DWORD_PTR instance, DWORD flags) = 0;
  virtual MMRESULT Close(HWAVEOUT device) = 0;
  virtual MMRESULT PrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) = 0;
  virtual MMRESULT UnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) = 0;
  virtual MMRESULT Write(HWAVEOUT device, LPWAVEHDR header, UINT size) = 0;
  virtual MMRESULT Pause(HWAVEOUT device) = 0;
  virtual MMRESULT Restart(HWAVEOUT device) = 0;
  virtual MMRESULT Reset(HWAVEOUT device) = 0;
  virtual MMRESULT GetPosition(HWAVEOUT device, LPMMTIME time, UINT size) = 0;
  virtual MMRESULT SetVolume(HWAVEOUT device, DWORD volume) = 0;

 protected:
  ~WaveOutPort() = default;
};

// The waveOut* functions of the platform.
WaveOutPort& SystemWaveOutPort();
