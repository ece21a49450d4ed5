#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/object/wave_out_device.h"
#include "engine/tests/test_files.h"
#include "engine/tests/test_formats.h"

namespace {

using Bytes = std::vector<BYTE>;

// A wave-out device that plays nothing by itself: the test finishes the
// headers in flight one by one, and may make any call fail.
class FakePort final : public WaveOutPort {
 public:
  UINT devices = 1;
  MMRESULT openResult = MMSYSERR_NOERROR;
  MMRESULT prepareResult = MMSYSERR_NOERROR;
  MMRESULT unprepareResult = MMSYSERR_NOERROR;
  MMRESULT writeResult = MMSYSERR_NOERROR;
  MMRESULT resetResult = MMSYSERR_NOERROR;
  MMRESULT pauseResult = MMSYSERR_NOERROR;
  MMRESULT restartResult = MMSYSERR_NOERROR;
  MMRESULT closeResult = MMSYSERR_NOERROR;
  MMRESULT positionResult = MMSYSERR_NOERROR;
  MMRESULT volumeResult = MMSYSERR_NOERROR;
  DWORD positionBytes = 0;
  DWORD volume = 0;

  UINT GetNumDevs() override { return devices; }
  MMRESULT Open(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR instance,
                DWORD flags) override {
    EXPECT_EQ(flags, CALLBACK_FUNCTION);
    callback_ = reinterpret_cast<LPWAVECALLBACK>(callback);
    instance_ = instance;
    *device = kHandle;
    return openResult;
  }
  MMRESULT Close(HWAVEOUT) override { return closeResult; }
  MMRESULT PrepareHeader(HWAVEOUT, LPWAVEHDR header, UINT) override {
    if (prepareResult == MMSYSERR_NOERROR) header->dwFlags |= WHDR_PREPARED;
    return prepareResult;
  }
  MMRESULT UnprepareHeader(HWAVEOUT, LPWAVEHDR header, UINT) override {
    std::lock_guard<std::mutex> guard(lock_);
    unprepared_.push_back(Bytes(header->lpData, header->lpData + header->dwBufferLength));
    return unprepareResult;
  }
  MMRESULT Write(HWAVEOUT device, LPWAVEHDR header, UINT) override {
    EXPECT_EQ(device, kHandle);
    if (writeResult != MMSYSERR_NOERROR) return writeResult;
    std::lock_guard<std::mutex> guard(lock_);
    inFlight_.push_back(header);
    changed_.notify_all();
    return MMSYSERR_NOERROR;
  }
  MMRESULT Pause(HWAVEOUT) override { return pauseResult; }
  MMRESULT Restart(HWAVEOUT) override { return restartResult; }
  MMRESULT Reset(HWAVEOUT) override { return resetResult; }
  MMRESULT GetPosition(HWAVEOUT, LPMMTIME time, UINT size) override {
    EXPECT_EQ(size, sizeof(MMTIME));
    EXPECT_EQ(time->wType, TIME_BYTES);
    time->u.cb = positionBytes;
    return positionResult;
  }
  MMRESULT SetVolume(HWAVEOUT, DWORD value) override {
    volume = value;
    return volumeResult;
  }

  // The oldest header in flight is done: the device tells the callback.
  void FinishOne() {
    WAVEHDR* header = nullptr;
    {
      std::lock_guard<std::mutex> guard(lock_);
      ASSERT_FALSE(inFlight_.empty());
      header = inFlight_.front();
      inFlight_.pop_front();
    }
    header->dwFlags |= WHDR_DONE;
    callback_(kHandle, WOM_DONE, instance_, reinterpret_cast<DWORD_PTR>(header), 0);
  }

  WAVEHDR* WaitForInFlight() {
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait_for(guard, std::chrono::seconds(20), [&] { return !inFlight_.empty(); });
    return inFlight_.empty() ? nullptr : inFlight_.front();
  }

  size_t InFlight() {
    std::lock_guard<std::mutex> guard(lock_);
    return inFlight_.size();
  }

  // The bytes of each header unprepared, in order.
  std::vector<Bytes> Unprepared() {
    std::lock_guard<std::mutex> guard(lock_);
    return unprepared_;
  }

 private:
  inline static const HWAVEOUT kHandle = reinterpret_cast<HWAVEOUT>(uintptr_t{0x1234});
  LPWAVECALLBACK callback_ = nullptr;
  DWORD_PTR instance_ = 0;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<WAVEHDR*> inFlight_;
  std::vector<Bytes> unprepared_;
};

struct CountingSink : BufferDoneSink {
  std::atomic<int> count{0};
  void BufferDone() override { ++count; }
};

WaveFormat Mono16() { return Pcm(11025, 16, 1); }

class FakeDeviceTest : public testing::Test {
 protected:
  FakePort port;
  CountingSink sink;
  WaveOutDevice device{&sink, port};
};

TEST_F(FakeDeviceTest, HeadersWrittenWhilePlayingWaitInThePendingList) {
  ASSERT_TRUE(device.Open(Mono16()));
  const Bytes a = {1, 2, 3, 4}, b = {5, 6}, c = {7, 8};
  ASSERT_TRUE(device.Write(a.data(), a.size(), true));
  ASSERT_TRUE(device.Write(b.data(), b.size(), true));
  ASSERT_TRUE(device.Write(c.data(), c.size(), true));
  EXPECT_TRUE(device.IsPlaying());
  EXPECT_EQ(device.PendingCount(), 2u);
  ASSERT_EQ(port.InFlight(), 1u);

  // The header owns a copy: 4 bytes, none recorded, asynchronous, played once.
  const WAVEHDR* first = port.WaitForInFlight();
  EXPECT_EQ(Bytes(first->lpData, first->lpData + first->dwBufferLength), a);
  EXPECT_EQ(first->dwBytesRecorded, 0u);
  EXPECT_EQ(first->dwUser, 0u);
  EXPECT_EQ(first->dwFlags, WHDR_BEGINLOOP | WHDR_ENDLOOP | WHDR_PREPARED);
  EXPECT_EQ(first->dwLoops, 1u);

  // Each completion writes the next pending header; only the last one
  // reaches the done sink.
  port.FinishOne();
  EXPECT_EQ(device.PendingCount(), 1u);
  EXPECT_EQ(sink.count, 0);
  port.FinishOne();
  port.FinishOne();
  EXPECT_EQ(sink.count, 1);
  EXPECT_FALSE(device.IsPlaying());
  EXPECT_EQ(device.PendingCount(), 0u);
  EXPECT_EQ(port.Unprepared(), (std::vector<Bytes>{a, b, c}));
}

TEST_F(FakeDeviceTest, APendingHeaderThatCannotBeWrittenStillEndsThePlay) {
  ASSERT_TRUE(device.Open(Mono16()));
  const Bytes a = {1, 2}, b = {3, 4};
  ASSERT_TRUE(device.Write(a.data(), a.size(), true));
  ASSERT_TRUE(device.Write(b.data(), b.size(), true));
  port.writeResult = MMSYSERR_ERROR;
  port.FinishOne();
  EXPECT_EQ(device.LastError(), "Cannot Write new wave Header");
  EXPECT_EQ(sink.count, 1);
  EXPECT_FALSE(device.IsPlaying());
  EXPECT_EQ(port.Unprepared(), (std::vector<Bytes>{a, b}));
}

TEST_F(FakeDeviceTest, SynchronousWriteReturnsWhenItsHeaderIsDone) {
  ASSERT_TRUE(device.Open(Mono16()));
  const Bytes piece = {9, 9};
  std::atomic<bool> returned{false};
  std::thread writer([&] {
    EXPECT_TRUE(device.Write(piece.data(), piece.size(), true, true));
    returned = true;
  });
  WAVEHDR* header = port.WaitForInFlight();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->dwUser, 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(returned);
  port.FinishOne();
  writer.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(sink.count, 1);
}

TEST_F(FakeDeviceTest, ResetDropsPendingHeadersAndWakesTheirWriter) {
  ASSERT_TRUE(device.Open(Mono16()));
  const Bytes a = {1, 1}, b = {2, 2};
  ASSERT_TRUE(device.Write(a.data(), a.size(), true));
  std::thread writer([&] { EXPECT_TRUE(device.Write(b.data(), b.size(), true, true)); });
  while (device.PendingCount() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(device.Reset());
  writer.join();
  EXPECT_EQ(device.PendingCount(), 0u);
  // The header in flight is still the device's until it reports it done.
  EXPECT_EQ(port.Unprepared(), (std::vector<Bytes>{b}));
  port.FinishOne();
  EXPECT_EQ(sink.count, 1);
}

TEST_F(FakeDeviceTest, EachFailureKeepsItsOwnText) {
  const Bytes piece = {1, 2};
  WAVEHDR loose{};
  EXPECT_FALSE(device.WriteHeader(&loose));
  EXPECT_EQ(device.LastError(), "Out put is not Open");
  EXPECT_FALSE(device.Write(piece.data(), piece.size(), true));
  EXPECT_EQ(device.LastError(), "Out put Device donot open.");
  port.devices = 0;
  EXPECT_FALSE(device.Open(Mono16()));
  EXPECT_EQ(device.LastError(), "Cannot find suitable device for output");
  port.devices = 2;
  port.openResult = MMSYSERR_ALLOCATED;
  EXPECT_FALSE(device.Open(Mono16()));
  EXPECT_EQ(device.LastError(), "Cannot find suitable device for output");
  port.openResult = MMSYSERR_NOERROR;
  ASSERT_TRUE(device.Open(Mono16()));
  EXPECT_FALSE(device.Open(Mono16()));
  EXPECT_EQ(device.LastError(), "Output stream already open. Close Device and Try to open again.");

  EXPECT_FALSE(device.WriteHeader(nullptr));
  EXPECT_EQ(device.LastError(), "NULL header is senden to output");
  port.prepareResult = MMSYSERR_NOMEM;
  EXPECT_FALSE(device.Write(piece.data(), piece.size(), true));
  EXPECT_EQ(device.LastError(), "cannot prepare wave header");
  port.prepareResult = MMSYSERR_NOERROR;
  port.writeResult = MMSYSERR_ERROR;
  EXPECT_FALSE(device.Write(piece.data(), piece.size(), true));
  EXPECT_EQ(device.LastError(), "Cannot Write new wave Header");
  EXPECT_FALSE(device.IsPlaying());
  port.writeResult = MMSYSERR_NOERROR;

  ASSERT_TRUE(device.Write(piece.data(), piece.size(), true));
  ASSERT_TRUE(device.Write(piece.data(), piece.size(), true));
  port.pauseResult = MMSYSERR_ERROR;
  EXPECT_FALSE(device.Pause());
  EXPECT_EQ(device.LastError(), "Cannot pause device");
  port.restartResult = MMSYSERR_ERROR;
  EXPECT_FALSE(device.Restart());
  EXPECT_EQ(device.LastError(), "Cannot Resume ");
  // The pending header is freed even though the device refuses it.
  port.unprepareResult = MMSYSERR_INVALHANDLE;
  EXPECT_FALSE(device.Reset());
  EXPECT_EQ(device.LastError(), "Cannot clear output Queue");
  EXPECT_EQ(device.PendingCount(), 0u);
  port.unprepareResult = MMSYSERR_NOERROR;
  port.resetResult = MMSYSERR_ERROR;
  EXPECT_FALSE(device.Reset());
  EXPECT_EQ(device.LastError(), "Cannot reset output Device");
  port.resetResult = MMSYSERR_NOERROR;
  port.FinishOne();
  port.closeResult = MMSYSERR_ERROR;
  EXPECT_FALSE(device.Close());
  EXPECT_EQ(device.LastError(), "Cannot close output stream.");
  EXPECT_TRUE(device.IsOpen());
  port.closeResult = MMSYSERR_NOERROR;
  EXPECT_TRUE(device.Close());
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(FakeDeviceTest, VolumeOnlyWhileOpenAndPositionInBytes) {
  EXPECT_TRUE(device.SetVolume(0x12345678u));
  EXPECT_EQ(port.volume, 0u);
  ASSERT_TRUE(device.Open(Mono16()));
  EXPECT_TRUE(device.SetVolume(0x80008000u));
  EXPECT_EQ(port.volume, 0x80008000u);
  port.volumeResult = MMSYSERR_NOTSUPPORTED;
  EXPECT_FALSE(device.SetVolume(0));
  port.positionBytes = 4410;
  EXPECT_EQ(device.Position(), 4410);
  port.positionResult = MMSYSERR_INVALHANDLE;
  EXPECT_EQ(device.Position(), -1);
}

// Through the platform's own device into a WAV file.
TEST(WaveOutDevice, SynchronousWriteOnTheSystemDevice) {
  ScratchFile wav("sync_write.wav");
  setenv("PARLEN_AUDIO", ("file:" + wav.Narrow()).c_str(), 1);
  setenv("PARLEN_AUDIO_FAST", "1", 1);
  CountingSink sink;
  {
    WaveOutDevice device(&sink);
    ASSERT_TRUE(device.Open(Mono16()));
    ASSERT_TRUE(device.SetVolume(0x80008000u));
    const int16_t samples[3] = {1000, -1000, 32767};
    ASSERT_TRUE(device.Write(reinterpret_cast<const BYTE*>(samples), sizeof(samples), true, true));
    // Done before the write returned; the position counts its bytes.
    EXPECT_EQ(device.Position(), 6);
    ASSERT_TRUE(device.Close());
    EXPECT_EQ(device.Position(), -1);
  }
  unsetenv("PARLEN_AUDIO");
  unsetenv("PARLEN_AUDIO_FAST");
  std::ifstream in(wav.Narrow(), std::ios::binary);
  const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(file.size(), 50u);
  // Scaled by 0x8000 / 0xFFFF, truncated: 500, -500, 16383.
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{0xF4, 0x01, 0x0C, 0xFE, 0xFF, 0x3F}));
}

}  // namespace
