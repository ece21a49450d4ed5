#include "platform/wave_device.h"

#include "platform/sync.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace platform::wave {
namespace {

// While headers play the thread looks at the sink this often.
constexpr auto kPollPeriod = std::chrono::milliseconds(5);

struct FailureNote {
  std::mutex lock;
  std::string text;
};

FailureNote& LastFailure() {
  static FailureNote* note = new FailureNote;
  return *note;
}

// Header flags are polled by the client while the device thread changes them.
void ChangeFlags(WAVEHDR* h, DWORD set, DWORD clear) {
  std::atomic_ref<DWORD> flags(h->dwFlags);
  flags.store((flags.load() & ~clear) | set);
}

DWORD FlagsOf(WAVEHDR* h) { return std::atomic_ref<DWORD>(h->dwFlags).load(); }

uint32_t PassesOf(const WAVEHDR* h) {
  const DWORD loop = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  return (h->dwFlags & loop) == loop ? std::max<DWORD>(h->dwLoops, 1) : 1;
}

}  // namespace

Device::Device(HWAVEOUT handle, const WAVEFORMATEX& format, std::unique_ptr<Sink> sink,
               Notify notify)
    : handle_(handle),
      format_(format),
      notify_(notify),
      chunkFrames_(std::max<uint32_t>(format.nSamplesPerSec / 10, 256)),
      sink_(std::move(sink)),
      scratch_(static_cast<size_t>(chunkFrames_) * format.nBlockAlign) {}

void Device::Start() {
  messages_.emplace_back(WOM_OPEN, 0);
  thread_ = std::thread([self = shared_from_this()] { self->Run(); });
}

MMRESULT Device::Write(WAVEHDR* header) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closing_) return MMSYSERR_INVALHANDLE;
    if (failed_) return MMSYSERR_ERROR;
    const DWORD flags = FlagsOf(header);
    if (!(flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    ChangeFlags(header, WHDR_INQUEUE, WHDR_DONE);
    queue_.push_back(Entry{header, PassesOf(header), 0, 0, false});
  }
  // Woken after the unlock, the thread need not wait again for the lock:
  // one hand-off per header instead of two.
  wake_.notify_one();
  return MMSYSERR_NOERROR;
}

MMRESULT Device::Pause() {
  std::lock_guard<std::mutex> guard(lock_);
  if (closing_) return MMSYSERR_INVALHANDLE;
  paused_ = true;
  wake_.notify_one();
  return MMSYSERR_NOERROR;
}

MMRESULT Device::Restart() {
  std::lock_guard<std::mutex> guard(lock_);
  if (closing_) return MMSYSERR_INVALHANDLE;
  paused_ = false;
  wake_.notify_one();
  return MMSYSERR_NOERROR;
}

void Device::FinishAll() {
  for (const Entry& e : queue_) {
    ChangeFlags(e.header, WHDR_DONE, WHDR_INQUEUE);
    messages_.emplace_back(WOM_DONE, reinterpret_cast<DWORD_PTR>(e.header));
  }
  queue_.clear();
  writeIndex_ = 0;
}

MMRESULT Device::Reset() {
  std::lock_guard<std::mutex> guard(lock_);
  if (closing_) return MMSYSERR_INVALHANDLE;
  FinishAll();
  dropPending_ = true;
  ++generation_;
  position_ = 0;
  wake_.notify_one();
  return MMSYSERR_NOERROR;
}

MMRESULT Device::Close() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closing_) return MMSYSERR_INVALHANDLE;
    if (!queue_.empty()) return WAVERR_STILLPLAYING;
    closing_ = true;
    messages_.emplace_back(WOM_CLOSE, 0);
    wake_.notify_one();
  }
  if (std::this_thread::get_id() == thread_.get_id())
    thread_.detach();  // called from the callback: the thread ends after it returns
  else
    thread_.join();
  return MMSYSERR_NOERROR;
}

void Device::Run() {
  std::unique_lock<std::mutex> lock(lock_);
  for (;;) {
    if (!messages_.empty()) {
      auto [message, param] = messages_.front();
      messages_.pop_front();
      std::unique_ptr<Sink> finished;
      if (message == WOM_CLOSE) finished = std::move(sink_);
      lock.unlock();
      finished.reset();  // a file is complete before the client hears of the close
      Deliver(message, param);
      if (message == WOM_CLOSE) return;
      lock.lock();
      continue;
    }
    if (dropPending_) {
      dropPending_ = false;
      sink_->Drop();
      sinkFrames_ = 0;
      continue;
    }
    if (ApplyPause() || FinishPlayed() || WriteSome(lock)) continue;
    if (!queue_.empty() && !paused_)
      wake_.wait_for(lock, kPollPeriod);
    else
      wake_.wait(lock);
  }
}

void Device::Deliver(UINT message, DWORD_PTR param1) {
  switch (notify_.kind) {
    case CALLBACK_FUNCTION:
      reinterpret_cast<LPWAVECALLBACK>(notify_.target)(handle_, message, notify_.instance, param1,
                                                       0);
      break;
    case CALLBACK_EVENT:
      SetEvent(reinterpret_cast<HANDLE>(notify_.target));
      break;
    default:
      break;
  }
}

bool Device::ApplyPause() {
  if (paused_ == sinkPaused_) return false;
  if (paused_)
    sink_->Pause();
  else
    sink_->Resume();
  sinkPaused_ = paused_;
  return true;
}

bool Device::FinishPlayed() {
  // A paused device finishes nothing, even what its sink has already
  // played out.
  if (paused_ || queue_.empty()) return false;
  const uint64_t played = sink_->Played();
  position_ = played;
  bool finished = false;
  while (!queue_.empty() && queue_.front().written && queue_.front().endFrame <= played) {
    WAVEHDR* h = queue_.front().header;
    queue_.pop_front();
    --writeIndex_;
    ChangeFlags(h, WHDR_DONE, WHDR_INQUEUE);
    messages_.emplace_back(WOM_DONE, reinterpret_cast<DWORD_PTR>(h));
    finished = true;
  }
  return finished;
}

bool Device::WriteSome(std::unique_lock<std::mutex>& lock) {
  if (paused_ || writeIndex_ >= queue_.size()) return false;
  const uint32_t block = format_.nBlockAlign;
  Entry& e = queue_[writeIndex_];
  const uint32_t usable = e.header->dwBufferLength / block * block;
  if (e.offset >= usable) {
    if (usable > 0 && --e.passesLeft > 0) {
      e.offset = 0;
    } else {
      e.written = true;
      e.endFrame = sinkFrames_;
      ++writeIndex_;
    }
    return true;
  }
  const uint64_t space = sink_->Space();
  if (space == 0) return false;
  const auto frames = static_cast<uint32_t>(
      std::min<uint64_t>({space, (usable - e.offset) / block, chunkFrames_}));
  // The copy is taken under the lock: after a reset the client may free
  // the header at once.
  CopyScaled(reinterpret_cast<const BYTE*>(e.header->lpData) + e.offset, frames);
  const uint64_t generation = generation_;
  lock.unlock();
  const bool written = sink_->Write(scratch_.data(), frames);
  lock.lock();
  if (generation != generation_) return true;  // reset meanwhile; the drop comes next
  if (!written) {
    // Nothing queued may wait for a sink that takes no more.
    failed_ = true;
    FailureNote& note = LastFailure();
    std::lock_guard<std::mutex> noteGuard(note.lock);
    note.text = sink_->FailureText();
    FinishAll();
    return true;
  }
  Entry& same = queue_[writeIndex_];
  same.offset += frames * block;
  sinkFrames_ += frames;
  return true;
}

void Device::CopyScaled(const BYTE* from, uint32_t frames) {
  const DWORD volume = volume_;
  const size_t bytes = static_cast<size_t>(frames) * format_.nBlockAlign;
  BYTE* to = scratch_.data();
  if (volume == 0xFFFFFFFFu) {
    std::memcpy(to, from, bytes);
    return;
  }
  const int64_t gains[2] = {volume & 0xFFFF, volume >> 16};
  const unsigned channels = format_.nChannels;
  if (format_.wBitsPerSample == 16) {
    for (size_t i = 0; i < bytes / 2; ++i) {
      int16_t s;
      std::memcpy(&s, from + 2 * i, 2);
      auto scaled = static_cast<int16_t>(s * gains[i % channels] / 0xFFFF);
      std::memcpy(to + 2 * i, &scaled, 2);
    }
  } else {
    for (size_t i = 0; i < bytes; ++i) {
      int64_t centred = static_cast<int64_t>(from[i]) - 128;
      to[i] = static_cast<BYTE>(centred * gains[i % channels] / 0xFFFF + 128);
    }
  }
}

}  // namespace platform::wave

std::string WaveOutFailure() {
  platform::wave::FailureNote& note = platform::wave::LastFailure();
  std::lock_guard<std::mutex> guard(note.lock);
  return note.text;
}
