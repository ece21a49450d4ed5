// Inside the platform library: one open wave-out device and its thread,
// which plays the queued headers through the sink and delivers the
// messages to the client.
#pragma once

#include "platform/wave_sink.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::wave {

struct Notify {
  DWORD kind;  // CALLBACK_NULL, CALLBACK_FUNCTION or CALLBACK_EVENT
  DWORD_PTR target;
  DWORD_PTR instance;
};

class Device : public std::enable_shared_from_this<Device> {
 public:
  Device(HWAVEOUT handle, const WAVEFORMATEX& format, std::unique_ptr<Sink> sink, Notify notify);
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // Queues WOM_OPEN and starts the thread.
  void Start();
  // MMSYSERR_ERROR once the sink has failed.
  MMRESULT Write(WAVEHDR* header);
  MMRESULT Pause();
  MMRESULT Restart();
  MMRESULT Reset();
  // WAVERR_STILLPLAYING while headers are queued; else ends the thread
  // after WOM_CLOSE (waiting for it unless called from the thread itself).
  MMRESULT Close();
  void SetVolume(DWORD volume) { volume_ = volume; }
  DWORD Volume() const { return volume_; }
  uint64_t PlayedFrames() const { return position_; }
  const WAVEFORMATEX& Format() const { return format_; }

 private:
  struct Entry {
    WAVEHDR* header;
    uint32_t passesLeft;  // loop passes still to be written, this one included
    uint32_t offset;      // bytes of the current pass written
    uint64_t endFrame;    // sink frame count at the header's end, once written
    bool written;
  };

  void Run();
  void Deliver(UINT message, DWORD_PTR param1);
  // The steps of Run; each is called with the lock held and returns true
  // when it did something.
  bool ApplyPause();
  bool FinishPlayed();
  bool WriteSome(std::unique_lock<std::mutex>& lock);
  // Marks every queued header done; the device takes no more.
  void FinishAll();
  void CopyScaled(const BYTE* from, uint32_t frames);

  const HWAVEOUT handle_;
  const WAVEFORMATEX format_;
  const Notify notify_;
  const uint32_t chunkFrames_;
  std::unique_ptr<Sink> sink_;  // touched by the thread only
  std::vector<BYTE> scratch_;   // the chunk being written, volume applied

  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<Entry> queue_;
  size_t writeIndex_ = 0;  // first entry not wholly written to the sink
  std::deque<std::pair<UINT, DWORD_PTR>> messages_;
  bool paused_ = false;
  bool sinkPaused_ = false;
  bool dropPending_ = false;
  bool closing_ = false;
  bool failed_ = false;  // the sink failed for good
  uint64_t generation_ = 0;  // counts resets, so a write racing one is forgotten
  uint64_t sinkFrames_ = 0;  // frames written to the sink since the last drop

  std::atomic<DWORD> volume_{0xFFFFFFFFu};
  std::atomic<uint64_t> position_{0};
  std::thread thread_;
};

}  // namespace platform::wave
