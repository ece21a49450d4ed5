// The waveOut* functions over the open devices.
#include "platform/wave_out.h"

#include "platform/wave_device.h"

#include <atomic>
#include <mutex>
#include <system_error>
#include <unordered_map>

using platform::wave::Device;

namespace {

struct DeviceTable {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::shared_ptr<Device>> devices;
  uintptr_t next = 0x5000;  // never reused, so a stale handle is refused
};

DeviceTable& Devices() {
  static DeviceTable* table = new DeviceTable;
  return *table;
}

std::shared_ptr<Device> Find(HWAVEOUT handle) {
  DeviceTable& t = Devices();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.devices.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.devices.end() ? nullptr : it->second;
}

bool IsOurDevice(UINT_PTR id) { return id == 0 || id == WAVE_MAPPER; }

bool HeaderOk(LPWAVEHDR header, UINT size) {
  return header != nullptr && size >= sizeof(WAVEHDR);
}

std::atomic_ref<DWORD> Flags(LPWAVEHDR header) { return std::atomic_ref<DWORD>(header->dwFlags); }

}  // namespace

bool platform::wave::IsSupportedFormat(const WAVEFORMATEX& f) {
  if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
  if (f.nChannels != 1 && f.nChannels != 2) return false;
  if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
  if (f.nSamplesPerSec == 0 || f.nSamplesPerSec > 192000) return false;
  const unsigned block = f.nChannels * f.wBitsPerSample / 8;
  return f.nBlockAlign == block && f.nAvgBytesPerSec == block * f.nSamplesPerSec;
}

extern "C" {

UINT waveOutGetNumDevs() { return 1; }

MMRESULT waveOutGetDevCapsW(UINT_PTR deviceId, LPWAVEOUTCAPSW caps, UINT size) {
  if (!IsOurDevice(deviceId)) return MMSYSERR_BADDEVICEID;
  if (caps == nullptr || size < sizeof(WAVEOUTCAPSW)) return MMSYSERR_INVALPARAM;
  platform::wave::DescribeDevice(caps, u"Parlen wave out");
  caps->dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutOpen(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  const DWORD known = CALLBACK_TYPEMASK | WAVE_FORMAT_QUERY | WAVE_ALLOWSYNC | WAVE_MAPPED |
                      WAVE_FORMAT_DIRECT;
  const DWORD kind = flags & CALLBACK_TYPEMASK;
  if ((flags & ~known) != 0) return MMSYSERR_INVALFLAG;
  if (kind != CALLBACK_NULL && kind != CALLBACK_FUNCTION && kind != CALLBACK_EVENT)
    return MMSYSERR_INVALFLAG;
  if (kind != CALLBACK_NULL && callback == 0) return MMSYSERR_INVALPARAM;
  if (!IsOurDevice(deviceId)) return MMSYSERR_BADDEVICEID;
  if (format == nullptr) return MMSYSERR_INVALPARAM;
  if (!platform::wave::IsSupportedFormat(*format)) return WAVERR_BADFORMAT;

  platform::wave::SinkChoice choice;
  if (!platform::wave::ChooseSink(&choice)) return MMSYSERR_NODRIVER;
  if (flags & WAVE_FORMAT_QUERY) return MMSYSERR_NOERROR;
  if (device == nullptr) return MMSYSERR_INVALPARAM;

  MMRESULT error = MMSYSERR_ERROR;
  auto sink = platform::wave::OpenSink(choice, *format, &error);
  if (!sink) return error;

  DeviceTable& t = Devices();
  std::shared_ptr<Device> opened;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    auto handle = reinterpret_cast<HWAVEOUT>(t.next);
    t.next += 4;
    opened = std::make_shared<Device>(handle, *format, std::move(sink),
                                      platform::wave::Notify{kind, callback, instance});
    t.devices.emplace(reinterpret_cast<uintptr_t>(handle), opened);
    *device = handle;
  }
  try {
    opened->Start();
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> guard(t.lock);
    t.devices.erase(reinterpret_cast<uintptr_t>(*device));
    *device = nullptr;
    return MMSYSERR_NOMEM;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device) {
  auto d = Find(device);
  if (!d) return MMSYSERR_INVALHANDLE;
  MMRESULT result = d->Close();
  if (result == MMSYSERR_NOERROR) {
    DeviceTable& t = Devices();
    std::lock_guard<std::mutex> guard(t.lock);
    t.devices.erase(reinterpret_cast<uintptr_t>(device));
  }
  return result;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  if (!Find(device)) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size) || header->lpData == nullptr) return MMSYSERR_INVALPARAM;
  auto flags = Flags(header);
  flags.store(flags.load() | WHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  if (!Find(device)) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size)) return MMSYSERR_INVALPARAM;
  auto flags = Flags(header);
  const DWORD now = flags.load();
  if (now & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  flags.store(now & ~WHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  auto d = Find(device);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size) || header->lpData == nullptr) return MMSYSERR_INVALPARAM;
  return d->Write(header);
}

MMRESULT waveOutPause(HWAVEOUT device) {
  auto d = Find(device);
  return d ? d->Pause() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveOutRestart(HWAVEOUT device) {
  auto d = Find(device);
  return d ? d->Restart() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveOutReset(HWAVEOUT device) {
  auto d = Find(device);
  return d ? d->Reset() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveOutGetPosition(HWAVEOUT device, LPMMTIME time, UINT size) {
  auto d = Find(device);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (time == nullptr || size < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
  const WAVEFORMATEX& f = d->Format();
  const uint64_t frames = d->PlayedFrames();
  switch (time->wType) {
    case TIME_SAMPLES:
      time->u.sample = static_cast<DWORD>(frames);
      break;
    case TIME_MS:
      time->u.ms = static_cast<DWORD>(frames * 1000 / f.nSamplesPerSec);
      break;
    default:  // what the device cannot give is given in bytes, as on Windows
      time->wType = TIME_BYTES;
      time->u.cb = static_cast<DWORD>(frames * f.nBlockAlign);
      break;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume) {
  auto d = Find(device);
  if (!d) return MMSYSERR_INVALHANDLE;
  d->SetVolume(volume);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetVolume(HWAVEOUT device, LPDWORD volume) {
  auto d = Find(device);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (volume == nullptr) return MMSYSERR_INVALPARAM;
  *volume = d->Volume();
  return MMSYSERR_NOERROR;
}

}  // extern "C"
