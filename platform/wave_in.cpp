// The wave-in queries over ALSA's capture device.
#include "platform/wave_in.h"

#include "platform/wave_sink.h"

#if PARLEN_HAVE_ALSA
#include <cerrno>

#include "platform/alsa_pcm.h"
#endif

namespace {

// Opens the capture device and, given a format, asks whether it takes it.
MMRESULT ProbeCapture(const WAVEFORMATEX* format) {
#if PARLEN_HAVE_ALSA
  snd_pcm_t* pcm = nullptr;
  const int rc = platform::alsa::OpenDefault(SND_PCM_STREAM_CAPTURE, &pcm);
  if (rc < 0) return rc == -EBUSY ? MMSYSERR_ALLOCATED : MMSYSERR_BADDEVICEID;
  MMRESULT result = MMSYSERR_NOERROR;
  if (format != nullptr) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    if (!platform::alsa::RestrictToFormat(pcm, hw, *format)) result = WAVERR_BADFORMAT;
  }
  snd_pcm_close(pcm);
  return result;
#else
  (void)format;
  return MMSYSERR_BADDEVICEID;
#endif
}

bool IsOurDevice(UINT_PTR id) { return id == 0 || id == WAVE_MAPPER; }

}  // namespace

extern "C" {

UINT waveInGetNumDevs() { return ProbeCapture(nullptr) == MMSYSERR_NOERROR ? 1 : 0; }

MMRESULT waveInGetDevCapsW(UINT_PTR deviceId, LPWAVEINCAPSW caps, UINT size) {
  if (!IsOurDevice(deviceId)) return MMSYSERR_BADDEVICEID;
  if (caps == nullptr || size < sizeof(WAVEINCAPSW)) return MMSYSERR_INVALPARAM;
  const MMRESULT probe = ProbeCapture(nullptr);
  if (probe != MMSYSERR_NOERROR) return probe;
  platform::wave::DescribeDevice(caps, u"Parlen wave in");
  return MMSYSERR_NOERROR;
}

MMRESULT waveInOpen(LPHWAVEIN /*device*/, UINT deviceId, LPCWAVEFORMATEX format,
                    DWORD_PTR /*callback*/, DWORD_PTR /*instance*/, DWORD flags) {
  if (!IsOurDevice(deviceId)) return MMSYSERR_BADDEVICEID;
  if (format == nullptr) return MMSYSERR_INVALPARAM;
  if (!(flags & WAVE_FORMAT_QUERY)) return MMSYSERR_NOTSUPPORTED;
  if (!platform::wave::IsSupportedFormat(*format)) return WAVERR_BADFORMAT;
  return ProbeCapture(format);
}

}  // extern "C"
