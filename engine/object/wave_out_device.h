// The engine's wave-out device: one header in flight at a time, each
// owning a copy of its piece. The device thread only frees finished headers
// and tells the done sink; every other operation runs under the engine's
// state lock.
#pragma once

#include <atomic>
#include <string>

#include "engine/wave_format.h"
#include "platform/wave_out.h"

class BufferDoneSink {
 public:
  virtual void BufferDone() = 0;

 protected:
  ~BufferDoneSink() = default;
};

class WaveOutDevice {
 public:
  explicit WaveOutDevice(BufferDoneSink* sink) : sink_(sink) {}
  ~WaveOutDevice() { Close(); }
  WaveOutDevice(const WaveOutDevice&) = delete;
  WaveOutDevice& operator=(const WaveOutDevice&) = delete;

  // Each operation returns false and keeps its reason in LastError() when
  // it fails.
  bool Open(const WaveFormat& format);
  // Hands a copy of the bytes to the device; without noReset the device
  // drops what it is playing first.
  bool Write(const BYTE* data, size_t bytes, bool noReset);
  bool Reset();
  bool Close();
  // Only while a header is playing.
  bool Pause();
  bool Restart();

  bool IsOpen() const { return open_; }
  bool IsPlaying() const { return playing_; }
  // Paused by Pause and not yet restarted: a paused device finishes
  // nothing.
  bool IsPaused() const { return paused_; }
  // Open waits this long first: right after a close the driver can still
  // be busy.
  void SetOpenDelay(DWORD milliseconds) { openDelayMs_ = milliseconds; }
  const std::string& LastError() const { return lastError_; }

 private:
  static void Callback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                       DWORD_PTR param2);
  void HeaderDone(HWAVEOUT device, WAVEHDR* header);
  bool Fail(const char* text);

  BufferDoneSink* sink_;
  DWORD openDelayMs_ = 200;
  HWAVEOUT handle_ = nullptr;
  bool open_ = false;
  std::atomic<bool> playing_{false};
  bool paused_ = false;
  WaveFormat format_;
  std::string lastError_;
};
