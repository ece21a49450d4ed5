#include "engine/object/wave_out_device.h"

#include <cstring>
#include <new>

#include "platform/sync.h"

namespace {

// The header's user data of a synchronous write.
constexpr DWORD_PTR kSynchronous = 1;

void FreeHeader(WAVEHDR* header) {
  delete[] header->lpData;
  delete header;
}

}  // namespace

WaveOutDevice::WaveOutDevice(BufferDoneSink* sink, WaveOutPort& port)
    : sink_(sink), port_(port), synchronousDone_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WaveOutDevice::~WaveOutDevice() {
  Close();
  CloseHandle(synchronousDone_);
}

bool WaveOutDevice::Fail(const char* text) {
  lastError_ = text;
  return false;
}

bool WaveOutDevice::Open(const WaveFormat& format) {
  Sleep(openDelayMs_);
  if (open_) return Fail("Output stream already open. Close Device and Try to open again.");
  UINT devices = port_.GetNumDevs();
  // Without any device nothing would ever play or finish: that is a failure.
  for (UINT attempt = 0; attempt < devices; ++attempt) {
    if (port_.Open(&handle_, WAVE_MAPPER, format.Get(), reinterpret_cast<DWORD_PTR>(&Callback),
                   reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR) {
      open_ = true;
      format_ = format;
      return true;
    }
  }
  handle_ = nullptr;
  return Fail("Cannot find suitable device for output");
}

bool WaveOutDevice::Write(const BYTE* data, size_t bytes, bool noReset, bool synchronous) {
  if (!open_) return Fail("Out put Device donot open.");
  if (!noReset) Reset();
  auto* header = new (std::nothrow) WAVEHDR{};
  char* copy = header != nullptr ? new (std::nothrow) char[bytes == 0 ? 1 : bytes] : nullptr;
  if (copy == nullptr) {
    delete header;
    return Fail("Memory Allocation Error.");
  }
  if (bytes != 0) std::memcpy(copy, data, bytes);
  header->lpData = copy;
  header->dwBufferLength = static_cast<DWORD>(bytes);
  header->dwUser = synchronous ? kSynchronous : 0;
  header->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  header->dwLoops = 1;
  if (port_.PrepareHeader(handle_, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    FreeHeader(header);
    return Fail("cannot prepare wave header");
  }
  bool waits = false;
  {
    // Decided under the list lock: the device thread may be finishing the
    // header in flight just now.
    ScopedLock lock(pendingLock_);
    if (playing_) {
      pending_.push_back(header);
      waits = true;
    } else {
      // Set before the write: the device thread may finish the header at once.
      playing_ = true;
    }
  }
  if (!waits && !WriteHeader(header)) {
    port_.UnprepareHeader(handle_, header, sizeof(WAVEHDR));
    FreeHeader(header);
    // Another writer may have queued behind this one meanwhile.
    WriteNextPending();
    return false;
  }
  if (synchronous) WaitForSingleObject(synchronousDone_, INFINITE);
  return true;
}

bool WaveOutDevice::WriteHeader(WAVEHDR* header) {
  if (header == nullptr) return Fail("NULL header is senden to output");
  if (!open_) return Fail("Out put is not Open");
  playing_ = true;
  if (port_.Write(handle_, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
    return Fail("Cannot Write new wave Header");
  return true;
}

bool WaveOutDevice::WriteNextPending() {
  for (;;) {
    WAVEHDR* next = nullptr;
    {
      ScopedLock lock(pendingLock_);
      if (pending_.empty()) {
        playing_ = false;
        return false;
      }
      next = pending_.front();
      pending_.pop_front();
    }
    if (WriteHeader(next)) return true;
    Discard(next);
  }
}

MMRESULT WaveOutDevice::Discard(WAVEHDR* header) {
  const MMRESULT result = port_.UnprepareHeader(handle_, header, sizeof(WAVEHDR));
  if (header->dwUser == kSynchronous) SetEvent(synchronousDone_);
  FreeHeader(header);
  return result;
}

bool WaveOutDevice::Reset() {
  // The pending headers are taken out first, so that the completion of the
  // one in flight, which the reset brings, writes none of them.
  std::deque<WAVEHDR*> dropped;
  {
    ScopedLock lock(pendingLock_);
    dropped.swap(pending_);
  }
  bool ok = true;
  if (port_.Reset(handle_) != MMSYSERR_NOERROR) ok = Fail("Cannot reset output Device");
  // Never written, so the device holds none of them: each is freed even
  // when the device refuses to unprepare it.
  for (WAVEHDR* header : dropped) {
    if (Discard(header) != MMSYSERR_NOERROR) ok = Fail("Cannot clear output Queue");
  }
  return ok;
}

bool WaveOutDevice::Close() {
  if (!open_) return true;
  Reset();
  // Waits for the device thread's last message; the callback takes no lock
  // that the caller may hold.
  if (port_.Close(handle_) != MMSYSERR_NOERROR) return Fail("Cannot close output stream.");
  handle_ = nullptr;
  open_ = false;
  playing_ = false;
  paused_ = false;
  return true;
}

bool WaveOutDevice::Pause() {
  if (!playing_) return true;
  if (port_.Pause(handle_) != MMSYSERR_NOERROR) return Fail("Cannot pause device");
  paused_ = true;
  return true;
}

bool WaveOutDevice::Restart() {
  if (port_.Restart(handle_) != MMSYSERR_NOERROR) return Fail("Cannot Resume ");
  paused_ = false;
  return true;
}

bool WaveOutDevice::SetVolume(DWORD volume) {
  if (!open_) return true;
  return port_.SetVolume(handle_, volume) == MMSYSERR_NOERROR;
}

int64_t WaveOutDevice::Position() {
  MMTIME time{};
  time.wType = TIME_BYTES;
  if (port_.GetPosition(handle_, &time, sizeof(time)) != MMSYSERR_NOERROR ||
      time.wType != TIME_BYTES)
    return -1;
  return time.u.cb;
}

size_t WaveOutDevice::PendingCount() {
  ScopedLock lock(pendingLock_);
  return pending_.size();
}

void WaveOutDevice::Callback(HWAVEOUT /*device*/, UINT message, DWORD_PTR instance,
                             DWORD_PTR param1, DWORD_PTR /*param2*/) {
  if (message != WOM_DONE) return;
  auto* header = reinterpret_cast<WAVEHDR*>(param1);
  if (header == nullptr || (header->dwFlags & WHDR_DONE) == 0) return;
  reinterpret_cast<WaveOutDevice*>(instance)->HeaderDone(header);
}

void WaveOutDevice::HeaderDone(WAVEHDR* header) {
  Discard(header);
  if (!WriteNextPending() && sink_ != nullptr) sink_->BufferDone();
}
