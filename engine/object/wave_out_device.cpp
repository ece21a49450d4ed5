#include "engine/object/wave_out_device.h"

#include <cstring>
#include <new>

#include "platform/sync.h"

namespace {

void FreeHeader(WAVEHDR* header) {
  delete[] header->lpData;
  delete header;
}

}  // namespace

bool WaveOutDevice::Fail(const char* text) {
  lastError_ = text;
  return false;
}

bool WaveOutDevice::Open(const WaveFormat& format) {
  Sleep(openDelayMs_);
  if (open_) return Fail("Output stream already open. Close Device and Try to open again.");
  UINT devices = waveOutGetNumDevs();
  // Without any device nothing would ever play or finish: that is a failure.
  for (UINT attempt = 0; attempt < devices; ++attempt) {
    if (waveOutOpen(&handle_, WAVE_MAPPER, format.Get(), reinterpret_cast<DWORD_PTR>(&Callback),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR) {
      open_ = true;
      format_ = format;
      return true;
    }
  }
  handle_ = nullptr;
  return Fail("Cannot find suitable device for output");
}

bool WaveOutDevice::Write(const BYTE* data, size_t bytes, bool noReset) {
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
  header->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  header->dwLoops = 1;
  if (waveOutPrepareHeader(handle_, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    FreeHeader(header);
    return Fail("cannot prepare wave header");
  }
  // Set before the write: the device thread may finish the header at once.
  playing_ = true;
  if (waveOutWrite(handle_, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    playing_ = false;
    waveOutUnprepareHeader(handle_, header, sizeof(WAVEHDR));
    FreeHeader(header);
    return Fail("Cannot Write new wave Header");
  }
  return true;
}

bool WaveOutDevice::Reset() {
  if (waveOutReset(handle_) != MMSYSERR_NOERROR) return Fail("Cannot reset output Device");
  return true;
}

bool WaveOutDevice::Close() {
  if (!open_) return true;
  Reset();
  // Waits for the device thread's last message; the callback takes no lock
  // that the caller may hold.
  if (waveOutClose(handle_) != MMSYSERR_NOERROR) return Fail("Cannot close output stream.");
  handle_ = nullptr;
  open_ = false;
  playing_ = false;
  paused_ = false;
  return true;
}

bool WaveOutDevice::Pause() {
  if (!playing_) return true;
  if (waveOutPause(handle_) != MMSYSERR_NOERROR) return Fail("Cannot pause device");
  paused_ = true;
  return true;
}

bool WaveOutDevice::Restart() {
  if (waveOutRestart(handle_) != MMSYSERR_NOERROR) return Fail("Cannot Resume ");
  paused_ = false;
  return true;
}

void WaveOutDevice::Callback(HWAVEOUT device, UINT message, DWORD_PTR instance,
                             DWORD_PTR param1, DWORD_PTR /*param2*/) {
  if (message != WOM_DONE) return;
  auto* header = reinterpret_cast<WAVEHDR*>(param1);
  if (header == nullptr || (header->dwFlags & WHDR_DONE) == 0) return;
  reinterpret_cast<WaveOutDevice*>(instance)->HeaderDone(device, header);
}

void WaveOutDevice::HeaderDone(HWAVEOUT device, WAVEHDR* header) {
  waveOutUnprepareHeader(device, header, sizeof(WAVEHDR));
  FreeHeader(header);
  playing_ = false;
  if (sink_ != nullptr) sink_->BufferDone();
}
