#if PARLEN_HAVE_ALSA

#include "platform/alsa_pcm.h"

namespace platform::alsa {
namespace {

void Quiet(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

int OpenDefault(snd_pcm_stream_t stream, snd_pcm_t** pcm) {
  snd_lib_error_set_handler(Quiet);
  return snd_pcm_open(pcm, "default", stream, SND_PCM_NONBLOCK);
}

bool RestrictToFormat(snd_pcm_t* pcm, snd_pcm_hw_params_t* hw, const WAVEFORMATEX& f) {
  return snd_pcm_hw_params_any(pcm, hw) >= 0 &&
         snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0 &&
         snd_pcm_hw_params_set_format(
             pcm, hw, f.wBitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE) >= 0 &&
         snd_pcm_hw_params_set_channels(pcm, hw, f.nChannels) >= 0 &&
         snd_pcm_hw_params_set_rate_resample(pcm, hw, 1) >= 0 &&
         snd_pcm_hw_params_set_rate(pcm, hw, f.nSamplesPerSec, 0) >= 0;
}

}  // namespace platform::alsa

#endif
