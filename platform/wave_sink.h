// Inside the platform library: where a wave-out device's samples go. A sink
// is used by its device's thread only.
#pragma once

#include "platform/wave_out.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace platform::wave {

class Sink {
 public:
  virtual ~Sink() = default;  // lets written audio play out, then closes
  // Frames that Write takes now without waiting.
  virtual uint64_t Space() = 0;
  // Takes whole frames, already scaled by the volume. A passing error is
  // swallowed (the frames then count as played, so no buffer waits
  // forever); false means the sink has failed for good and so has its
  // device.
  virtual bool Write(const BYTE* data, uint32_t frames) = 0;
  // Frames heard since the open or the last Drop; never more than written.
  virtual uint64_t Played() = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // Forgets unplayed frames; both counts start again at 0.
  virtual void Drop() = 0;
  // Why the sink failed, for the user.
  virtual std::string FailureText() const { return "the sound device failed"; }
};

// PCM of 1 or 2 channels of 8 or 16 bits with consistent block align and
// bytes per second: what the devices play.
bool IsSupportedFormat(const WAVEFORMATEX& format);

// The capabilities both kinds of device report: their name and the PCM
// formats of 11, 22 and 44 kHz, mono and stereo, 8 and 16 bits.
template <class Caps, size_t NameLength>
void DescribeDevice(Caps* caps, const char16_t (&name)[NameLength]) {
  static_assert(NameLength <= MAXPNAMELEN);
  *caps = Caps{};
  for (size_t i = 0; i < NameLength; ++i) caps->szPname[i] = name[i];
  caps->vDriverVersion = 0x0100;
  caps->dwFormats = 0x00000FFFu;
  caps->wChannels = 2;
}

enum class SinkKind { Automatic, Alsa, Null, File };

struct SinkChoice {
  SinkKind kind = SinkKind::Automatic;
  std::string path;   // File
  bool fast = false;  // Null and File: finish buffers at once
};

// From the environment, else the registry. False for a setting it cannot
// read as a sink.
bool ChooseSink(SinkChoice* choice);
bool ParseSinkSetting(const std::string& text, SinkChoice* choice);

// Each sets *error (an MMSYSERR_ or WAVERR_ code) when it returns null.
std::unique_ptr<Sink> OpenSink(const SinkChoice& choice, const WAVEFORMATEX& format,
                               MMRESULT* error);
std::unique_ptr<Sink> OpenAlsaSink(const WAVEFORMATEX& format, MMRESULT* error);
std::unique_ptr<Sink> OpenNullSink(const WAVEFORMATEX& format, bool fast);
// The largest data chunk whose RIFF sizes still fit in 32 bits, pad byte
// included.
constexpr uint64_t kRiffDataLimit = 0xFFFFFFFFu - 36 - 1;
// Bytes of samples the file sink gathers before it writes them and brings
// the header up to date.
constexpr size_t kFileSinkBlockBytes = 256 * 1024;
// The file sink refuses to write past dataLimit bytes of samples.
std::unique_ptr<Sink> OpenFileSink(const std::string& path, const WAVEFORMATEX& format, bool fast,
                                   MMRESULT* error, uint64_t dataLimit = kRiffDataLimit,
                                   size_t blockBytes = kFileSinkBlockBytes);

// Playing time of the sinks without a sound card: frames count as heard as
// the clock runs (or at once when fast), and only a short lead is taken in
// ahead of the clock.
class PlaybackClock {
 public:
  PlaybackClock(uint32_t rate, bool fast);
  uint64_t Space();
  void Wrote(uint32_t frames);
  uint64_t Played();
  void Pause();
  void Resume();
  void Drop();

 private:
  using Clock = std::chrono::steady_clock;
  const uint32_t rate_;
  const bool fast_;
  const uint64_t lead_;
  uint64_t written_ = 0;
  uint64_t base_ = 0;  // frames heard when the clock last started or stopped
  Clock::time_point start_;
  bool running_ = false;
  bool paused_ = false;
};

}  // namespace platform::wave
