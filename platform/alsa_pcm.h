// Inside the platform library, built with ALSA only: what the playback sink
// and the capture queries share.
#pragma once

#include <alsa/asoundlib.h>

#include "platform/wave_out.h"

namespace platform::alsa {

// Opens the "default" device for that direction without blocking, with
// alsa-lib's own messages silenced (failures go out as MMSYSERR codes).
// A negative errno when it cannot be opened.
int OpenDefault(snd_pcm_stream_t stream, snd_pcm_t** pcm);

// Narrows the parameters to interleaved PCM of the format; false when the
// device cannot take it.
bool RestrictToFormat(snd_pcm_t* pcm, snd_pcm_hw_params_t* hw, const WAVEFORMATEX& format);

}  // namespace platform::alsa
