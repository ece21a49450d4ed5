// Plays into nothing, taking each buffer's playing time (or none when fast).
#include "platform/wave_sink.h"

namespace platform::wave {
namespace {

class NullSink : public Sink {
 public:
  NullSink(uint32_t rate, bool fast) : clock_(rate, fast) {}
  uint64_t Space() override { return clock_.Space(); }
  bool Write(const BYTE*, uint32_t frames) override {
    clock_.Wrote(frames);
    return true;
  }
  uint64_t Played() override { return clock_.Played(); }
  void Pause() override { clock_.Pause(); }
  void Resume() override { clock_.Resume(); }
  void Drop() override { clock_.Drop(); }

 private:
  PlaybackClock clock_;
};

}  // namespace

std::unique_ptr<Sink> OpenNullSink(const WAVEFORMATEX& format, bool fast) {
  return std::make_unique<NullSink>(format.nSamplesPerSec, fast);
}

}  // namespace platform::wave
