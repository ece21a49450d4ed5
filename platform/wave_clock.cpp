#include "platform/wave_sink.h"

#include <algorithm>
#include <limits>

namespace platform::wave {

PlaybackClock::PlaybackClock(uint32_t rate, bool fast)
    : rate_(rate), fast_(fast), lead_(std::max<uint64_t>(rate / 20, 1)) {}

uint64_t PlaybackClock::Space() {
  if (fast_) return std::numeric_limits<uint32_t>::max();
  uint64_t ahead = written_ - Played();
  return ahead >= lead_ ? 0 : lead_ - ahead;
}

void PlaybackClock::Wrote(uint32_t frames) {
  Played();  // settles an idle clock before the new frames count
  if (!fast_ && !running_ && !paused_) {
    start_ = Clock::now();
    running_ = true;
  }
  written_ += frames;
}

uint64_t PlaybackClock::Played() {
  if (fast_) return written_;
  if (!running_) return base_;
  auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_);
  uint64_t heard = base_ + static_cast<uint64_t>(elapsed.count()) * rate_ / 1000000;
  if (heard < written_) return heard;
  // Caught up: the clock stops until more frames come.
  base_ = written_;
  running_ = false;
  return base_;
}

void PlaybackClock::Pause() {
  if (paused_) return;
  base_ = Played();
  running_ = false;
  paused_ = true;
}

void PlaybackClock::Resume() {
  if (!paused_) return;
  paused_ = false;
  if (base_ < written_) {
    start_ = Clock::now();
    running_ = true;
  }
}

void PlaybackClock::Drop() {
  written_ = 0;
  base_ = 0;
  running_ = false;
}

}  // namespace platform::wave
