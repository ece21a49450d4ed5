#include "engine/object/wave_out_port.h"

namespace {

class SystemPort final : public WaveOutPort {
 public:
  UINT GetNumDevs() override { return waveOutGetNumDevs(); }
  MMRESULT Open(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                DWORD_PTR instance, DWORD flags) override {
    return waveOutOpen(device, deviceId, format, callback, instance, flags);
  }
  MMRESULT Close(HWAVEOUT device) override { return waveOutClose(device); }
  MMRESULT PrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) override {
    return waveOutPrepareHeader(device, header, size);
  }
  MMRESULT UnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) override {
    return waveOutUnprepareHeader(device, header, size);
  }
  MMRESULT Write(HWAVEOUT device, LPWAVEHDR header, UINT size) override {
    return waveOutWrite(device, header, size);
  }
  MMRESULT Pause(HWAVEOUT device) override { return waveOutPause(device); }
  MMRESULT Restart(HWAVEOUT device) override { return waveOutRestart(device); }
  MMRESULT Reset(HWAVEOUT device) override { return waveOutReset(device); }
  MMRESULT GetPosition(HWAVEOUT device, LPMMTIME time, UINT size) override {
    return waveOutGetPosition(device, time, size);
  }
  MMRESULT SetVolume(HWAVEOUT device, DWORD volume) override {
    return waveOutSetVolume(device, volume);
  }
};

}  // namespace

WaveOutPort& SystemWaveOutPort() {
  // Stateless: one for the whole process.
  static SystemPort port;
  return port;
}
