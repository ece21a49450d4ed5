// The engine's wave-out device: one header in flight at a time, each
// owning a copy of its piece; a header written while another plays waits
// in the pending list until that one is done. The device thread only
// finishes headers, writes the next pending one and tells the done sink;
// every other operation runs under the engine's state lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "engine/object/critical_section.h"
#include "engine/object/wave_out_port.h"
#include "engine/wave_format.h"

class BufferDoneSink {
 public:
  virtual void BufferDone() = 0;

 protected:
  ~BufferDoneSink() = default;
};

class WaveOutDevice {
 public:
  explicit WaveOutDevice(BufferDoneSink* sink, WaveOutPort& port = SystemWaveOutPort());
  ~WaveOutDevice();
  WaveOutDevice(const WaveOutDevice&) = delete;
  WaveOutDevice& operator=(const WaveOutDevice&) = delete;

  // Each operation returns false and keeps its reason in LastError() when
  // it fails.
  bool Open(const WaveFormat& format);
  // Hands a copy of the bytes to the device; without noReset the device
  // drops what it is playing first. A synchronous write returns when its
  // header is done (or dropped by a reset).
  bool Write(const BYTE* data, size_t bytes, bool noReset, bool synchronous = false);
  // Writes a header prepared on this device; on failure the caller keeps
  // it.
  bool WriteHeader(WAVEHDR* header);
  // Drops what plays and frees the pending headers.
  bool Reset();
  bool Close();
  // Only while a header is playing.
  bool Pause();
  bool Restart();
  // Only while open.
  bool SetVolume(DWORD volume);
  // Bytes played since the open or the last reset; -1 when unknown.
  int64_t Position();

  bool IsOpen() const { return open_; }
  bool IsPlaying() const { return playing_; }
  size_t PendingCount();
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
  void HeaderDone(WAVEHDR* header);
  // Writes pending headers until one goes out; false when none did (the
  // playing flag is then clear).
  bool WriteNextPending();
  // Unprepares and frees a header that leaves the device, waking its
  // synchronous writer.
  MMRESULT Discard(WAVEHDR* header);
  bool Fail(const char* text);

  BufferDoneSink* sink_;
  WaveOutPort& port_;
  CriticalSection pendingLock_;
  std::deque<WAVEHDR*> pending_;
  DWORD openDelayMs_ = 200;
  HWAVEOUT handle_ = nullptr;
  std::atomic<bool> open_{false};
  std::atomic<bool> playing_{false};
  bool paused_ = false;
  WaveFormat format_;
  HANDLE synchronousDone_;  // auto-reset
  std::string lastError_;
};
