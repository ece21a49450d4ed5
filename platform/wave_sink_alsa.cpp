// Plays through the ALSA "default" device. Only as many frames are taken as
// the device buffer has room for, so the device thread never blocks long;
// what has been heard is the written count less the device's delay.
#include "platform/wave_sink.h"

#if PARLEN_HAVE_ALSA

#include "platform/alsa_pcm.h"

#include <algorithm>
#include <cerrno>
#include <limits>

namespace platform::wave {
namespace {

constexpr unsigned kPeriodMicroseconds = 20000;
constexpr unsigned kBufferMicroseconds = 80000;
constexpr int kStallMilliseconds = 20;
constexpr int kMaxStalls = 50;

class AlsaSink : public Sink {
 public:
  AlsaSink(snd_pcm_t* pcm, bool canPause) : pcm_(pcm), canPause_(canPause) {}

  ~AlsaSink() override {
    snd_pcm_sframes_t delay = 0;
    if (!broken_ && !hwPaused_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING &&
        snd_pcm_delay(pcm_, &delay) == 0 && delay > 0) {
      snd_pcm_nonblock(pcm_, 0);
      snd_pcm_drain(pcm_);
    } else {
      snd_pcm_drop(pcm_);
    }
    snd_pcm_close(pcm_);
  }

  uint64_t Space() override {
    if (broken_) return std::numeric_limits<uint32_t>::max();
    snd_pcm_sframes_t avail = snd_pcm_avail_update(pcm_);
    if (avail < 0) {
      Recover(static_cast<int>(avail));
      avail = broken_ ? std::numeric_limits<uint32_t>::max() : snd_pcm_avail_update(pcm_);
    }
    return avail < 0 ? 0 : static_cast<uint64_t>(avail);
  }

  bool Write(const BYTE* data, uint32_t frames) override {
    written_ += frames;
    const size_t frameBytes = static_cast<size_t>(snd_pcm_frames_to_bytes(pcm_, 1));
    int stalls = 0;
    while (frames > 0 && !broken_) {
      snd_pcm_sframes_t n = snd_pcm_writei(pcm_, data, frames);
      if (n == -EAGAIN || n == 0) {
        // A device that takes nothing for a second is given up.
        if (++stalls > kMaxStalls) broken_ = true;
        snd_pcm_wait(pcm_, kStallMilliseconds);
      } else if (n < 0) {
        Recover(static_cast<int>(n));
      } else {
        stalls = 0;
        data += static_cast<size_t>(n) * frameBytes;
        frames -= static_cast<uint32_t>(n);
      }
    }
    return true;  // a broken device counts its frames as heard
  }

  uint64_t Played() override {
    if (broken_) return written_;
    snd_pcm_state_t state = snd_pcm_state(pcm_);
    uint64_t heard = written_;
    if (state == SND_PCM_STATE_XRUN) {
      Recover(-EPIPE);  // ran dry: all of it has been heard
    } else {
      snd_pcm_sframes_t delay = 0;
      if (snd_pcm_delay(pcm_, &delay) == 0 && delay > 0)
        heard -= std::min<uint64_t>(static_cast<uint64_t>(delay), written_);
    }
    heard_ = std::max(heard_, heard);
    return heard_;
  }

  void Pause() override {
    if (canPause_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING &&
        snd_pcm_pause(pcm_, 1) == 0)
      hwPaused_ = true;
    // Without pause support the device thread simply stops writing and
    // the short buffer runs out.
  }

  void Resume() override {
    if (hwPaused_) {
      snd_pcm_pause(pcm_, 0);
      hwPaused_ = false;
    }
  }

  void Drop() override {
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
    hwPaused_ = false;
    written_ = 0;
    heard_ = 0;
  }

 private:
  void Recover(int err) {
    if (snd_pcm_recover(pcm_, err, 1) < 0) broken_ = true;
  }

  snd_pcm_t* const pcm_;
  const bool canPause_;
  bool hwPaused_ = false;
  bool broken_ = false;  // the device failed: frames count as heard
  uint64_t written_ = 0;
  uint64_t heard_ = 0;
};

bool Configure(snd_pcm_t* pcm, const WAVEFORMATEX& f, bool* canPause) {
  snd_pcm_hw_params_t* hw = nullptr;
  snd_pcm_hw_params_alloca(&hw);
  unsigned period = kPeriodMicroseconds;
  unsigned buffer = kBufferMicroseconds;
  int dir = 0;
  if (!alsa::RestrictToFormat(pcm, hw, f) ||
      snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &buffer, &dir) < 0 ||
      snd_pcm_hw_params_set_period_time_near(pcm, hw, &period, &dir) < 0 ||
      snd_pcm_hw_params(pcm, hw) < 0)
    return false;
  *canPause = snd_pcm_hw_params_can_pause(hw) != 0;

  snd_pcm_sw_params_t* sw = nullptr;
  snd_pcm_sw_params_alloca(&sw);
  // Start with the first frame: a buffer shorter than the device's must
  // play too.
  if (snd_pcm_sw_params_current(pcm, sw) < 0 ||
      snd_pcm_sw_params_set_start_threshold(pcm, sw, 1) < 0 || snd_pcm_sw_params(pcm, sw) < 0)
    return false;
  return snd_pcm_prepare(pcm) == 0;
}

}  // namespace

std::unique_ptr<Sink> OpenAlsaSink(const WAVEFORMATEX& format, MMRESULT* error) {
  snd_pcm_t* pcm = nullptr;
  int rc = alsa::OpenDefault(SND_PCM_STREAM_PLAYBACK, &pcm);
  if (rc < 0) {
    *error = rc == -EBUSY ? MMSYSERR_ALLOCATED : MMSYSERR_NODRIVER;
    return nullptr;
  }
  bool canPause = false;
  if (!Configure(pcm, format, &canPause)) {
    snd_pcm_close(pcm);
    *error = WAVERR_BADFORMAT;
    return nullptr;
  }
  return std::make_unique<AlsaSink>(pcm, canPause);
}

}  // namespace platform::wave

#else  // built without ALSA

namespace platform::wave {

std::unique_ptr<Sink> OpenAlsaSink(const WAVEFORMATEX&, MMRESULT* error) {
  *error = MMSYSERR_NODRIVER;
  return nullptr;
}

}  // namespace platform::wave

#endif
