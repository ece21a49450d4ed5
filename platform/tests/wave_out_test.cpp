#include "platform/wave_out.h"

#include "platform/registry.h"
#include "platform/sync.h"
#include "platform/wave_sink.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Generous: only a machine that has stopped misses it.
constexpr auto kPatience = std::chrono::seconds(20);

WAVEFORMATEX Pcm(DWORD rate, WORD channels, WORD bits) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = channels;
  f.nSamplesPerSec = rate;
  f.wBitsPerSample = bits;
  f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
  f.nAvgBytesPerSec = rate * f.nBlockAlign;
  return f;
}

Bytes Samples16(std::initializer_list<int16_t> values) {
  Bytes out;
  for (int16_t v : values) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  return out;
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U32At(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Records what the device tells its callback.
struct Recorder {
  struct Message {
    HWAVEOUT device;
    UINT message;
    DWORD_PTR param;
    std::thread::id thread;
  };
  std::mutex lock;
  std::condition_variable changed;
  std::vector<Message> messages;
  // When set, called on WOM_DONE from the device thread.
  std::function<void(HWAVEOUT, WAVEHDR*)> onDone;

  static void Proc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                   DWORD_PTR) {
    auto* self = reinterpret_cast<Recorder*>(instance);
    if (message == WOM_DONE && self->onDone)
      self->onDone(device, reinterpret_cast<WAVEHDR*>(param1));
    std::lock_guard<std::mutex> guard(self->lock);
    self->messages.push_back({device, message, param1, std::this_thread::get_id()});
    self->changed.notify_all();
  }

  bool WaitForCount(size_t n) {
    std::unique_lock<std::mutex> guard(lock);
    return changed.wait_for(guard, kPatience, [&] { return messages.size() >= n; });
  }

  std::vector<Message> Snapshot() {
    std::lock_guard<std::mutex> guard(lock);
    return messages;
  }
};

struct Header {
  Bytes data;
  WAVEHDR hdr{};
  explicit Header(Bytes bytes) : data(std::move(bytes)) {
    hdr.lpData = reinterpret_cast<LPSTR>(data.data());
    hdr.dwBufferLength = static_cast<DWORD>(data.size());
  }
  DWORD Flags() const { return hdr.dwFlags; }
};

class WaveOut : public testing::Test {
 protected:
  void SetUp() override {
    SaveEnv("PARLEN_AUDIO", &savedSink_);
    SaveEnv("PARLEN_AUDIO_FAST", &savedFast_);
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = testing::TempDir() + "wave_out_" + info->name() + "." + std::to_string(getpid()) +
            ".wav";
    std::remove(path_.c_str());
    UseSink("file:" + path_, true);
  }

  void TearDown() override {
    RestoreEnv("PARLEN_AUDIO", savedSink_);
    RestoreEnv("PARLEN_AUDIO_FAST", savedFast_);
    std::remove(path_.c_str());
  }

  static void UseSink(const std::string& sink, bool fast) {
    setenv("PARLEN_AUDIO", sink.c_str(), 1);
    setenv("PARLEN_AUDIO_FAST", fast ? "1" : "0", 1);
  }

  HWAVEOUT Open(Recorder& rec, const WAVEFORMATEX& format) {
    HWAVEOUT device = nullptr;
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&Recorder::Proc),
                          reinterpret_cast<DWORD_PTR>(&rec), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    return device;
  }

  static void PrepareAndWrite(HWAVEOUT device, Header& h) {
    ASSERT_EQ(waveOutPrepareHeader(device, &h.hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &h.hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }

  std::string path_;

 private:
  struct Saved {
    bool present = false;
    std::string value;
  };
  static void SaveEnv(const char* name, Saved* saved) {
    const char* v = std::getenv(name);
    saved->present = v != nullptr;
    saved->value = v ? v : "";
  }
  static void RestoreEnv(const char* name, const Saved& saved) {
    if (saved.present)
      setenv(name, saved.value.c_str(), 1);
    else
      unsetenv(name);
  }
  Saved savedSink_;
  Saved savedFast_;
};

TEST_F(WaveOut, FileSinkWritesExactWaveWithVolumeApplied) {
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  ASSERT_EQ(waveOutSetVolume(device, 0xFFFF8000u), MMSYSERR_NOERROR);  // left half; mono uses it
  DWORD volume = 0;
  ASSERT_EQ(waveOutGetVolume(device, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0xFFFF8000u);

  Header first(Samples16({0, 1000, -1000, 32767}));
  Header second(Samples16({-32768, 3, -3}));
  PrepareAndWrite(device, first);
  PrepareAndWrite(device, second);
  ASSERT_TRUE(rec.WaitForCount(3));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

  Bytes expected = {'R', 'I', 'F', 'F', 50, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                    16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x22, 0x56, 0, 0,
                    2, 0, 16, 0, 'd', 'a', 't', 'a', 14, 0, 0, 0};
  // Scaled by 0x8000/0xFFFF, truncated towards zero.
  Bytes samples = Samples16({0, 500, -500, 16383, -16384, 1, -1});
  expected.insert(expected.end(), samples.begin(), samples.end());
  EXPECT_EQ(ReadFile(path_), expected);
}

TEST_F(WaveOut, StereoVolumeScalesEachSideAndLoopsRepeat) {
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(8000, 2, 16));
  ASSERT_EQ(waveOutSetVolume(device, 0xFFFF0000u), MMSYSERR_NOERROR);  // left silent
  Header looped(Samples16({100, 200, -300, 400}));
  looped.hdr.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  looped.hdr.dwLoops = 3;
  Header once(Samples16({5, 6}));
  once.hdr.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  once.hdr.dwLoops = 1;
  PrepareAndWrite(device, looped);
  PrepareAndWrite(device, once);
  ASSERT_TRUE(rec.WaitForCount(3));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

  Bytes file = ReadFile(path_);
  ASSERT_EQ(file.size(), 44u + 28u);
  EXPECT_EQ(U32At(file, 4), 36u + 28u);
  EXPECT_EQ(file[22], 2);              // channels
  EXPECT_EQ(U32At(file, 24), 8000u);   // rate
  EXPECT_EQ(U32At(file, 28), 32000u);  // bytes per second
  EXPECT_EQ(file[32], 4);              // block align
  EXPECT_EQ(U32At(file, 40), 28u);
  Bytes samples = Samples16({0, 200, 0, 400, 0, 200, 0, 400, 0, 200, 0, 400, 0, 6});
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), samples);
}

TEST_F(WaveOut, CallbackOrderOnTheDeviceThread) {
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  // The last has less than one frame: it plays nothing and still finishes.
  Header a(Samples16({1, 2})), b(Samples16({3})), c(Bytes{0x55});
  PrepareAndWrite(device, a);
  PrepareAndWrite(device, b);
  PrepareAndWrite(device, c);
  ASSERT_TRUE(rec.WaitForCount(4));
  for (Header* h : {&a, &b, &c}) {
    EXPECT_EQ(h->Flags(), WHDR_DONE | WHDR_PREPARED);
    EXPECT_EQ(waveOutUnprepareHeader(device, &h->hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(h->Flags(), WHDR_DONE);
  }
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

  auto got = rec.Snapshot();
  ASSERT_EQ(got.size(), 5u);
  const UINT messages[5] = {WOM_OPEN, WOM_DONE, WOM_DONE, WOM_DONE, WOM_CLOSE};
  const DWORD_PTR params[5] = {0, reinterpret_cast<DWORD_PTR>(&a.hdr),
                               reinterpret_cast<DWORD_PTR>(&b.hdr),
                               reinterpret_cast<DWORD_PTR>(&c.hdr), 0};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(got[i].message, messages[i]) << i;
    EXPECT_EQ(got[i].param, params[i]) << i;
    EXPECT_EQ(got[i].device, device) << i;
    EXPECT_EQ(got[i].thread, got[0].thread) << i;
  }
  EXPECT_NE(got[0].thread, std::this_thread::get_id());
  EXPECT_EQ(waveOutWrite(device, &a.hdr, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
}

TEST_F(WaveOut, CallbackMayUnprepareAndWriteTheNextHeader) {
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  Header a(Samples16({1, 2})), b(Samples16({3, 4})), c(Samples16({5}));
  std::vector<Header*> next = {&b, &c};
  rec.onDone = [&](HWAVEOUT d, WAVEHDR* h) {
    EXPECT_EQ(waveOutUnprepareHeader(d, h, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    if (next.empty()) return;
    Header* n = next.front();
    next.erase(next.begin());
    EXPECT_EQ(waveOutPrepareHeader(d, &n->hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutWrite(d, &n->hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  };
  PrepareAndWrite(device, a);
  ASSERT_TRUE(rec.WaitForCount(4));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  Bytes file = ReadFile(path_);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), Samples16({1, 2, 3, 4, 5}));
}

TEST_F(WaveOut, ResetMarksQueuedHeadersDoneAndAllowsClose) {
  UseSink("null", false);
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  // Paused, the device finishes nothing before the reset.
  ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);
  Header a(Bytes(2000)), b(Bytes(2000)), c(Bytes(2000));
  PrepareAndWrite(device, a);
  PrepareAndWrite(device, b);
  PrepareAndWrite(device, c);
  EXPECT_EQ(a.Flags(), WHDR_PREPARED | WHDR_INQUEUE);
  EXPECT_EQ(waveOutUnprepareHeader(device, &a.hdr, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutWrite(device, &a.hdr, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutClose(device), WAVERR_STILLPLAYING);

  ASSERT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
  for (Header* h : {&a, &b, &c}) EXPECT_EQ(h->Flags(), WHDR_DONE | WHDR_PREPARED);
  MMTIME position{};
  position.wType = TIME_BYTES;
  ASSERT_EQ(waveOutGetPosition(device, &position, sizeof position), MMSYSERR_NOERROR);
  EXPECT_EQ(position.u.cb, 0u);
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

  auto got = rec.Snapshot();
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[1].param, reinterpret_cast<DWORD_PTR>(&a.hdr));
  EXPECT_EQ(got[2].param, reinterpret_cast<DWORD_PTR>(&b.hdr));
  EXPECT_EQ(got[3].param, reinterpret_cast<DWORD_PTR>(&c.hdr));
  EXPECT_EQ(got[4].message, WOM_CLOSE);
}

TEST_F(WaveOut, PausedDeviceFinishesNothingUntilRestart) {
  UseSink("null", false);
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);
  Header h(Bytes(220));  // 10 ms
  PrepareAndWrite(device, h);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(h.Flags(), WHDR_PREPARED | WHDR_INQUEUE);
  EXPECT_EQ(rec.Snapshot().size(), 1u);  // WOM_OPEN only
  ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);  // no effect when paused
  ASSERT_EQ(waveOutRestart(device), MMSYSERR_NOERROR);
  ASSERT_TRUE(rec.WaitForCount(2));
  EXPECT_EQ(h.Flags(), WHDR_DONE | WHDR_PREPARED);
  MMTIME position{};
  position.wType = TIME_SAMPLES;
  ASSERT_EQ(waveOutGetPosition(device, &position, sizeof position), MMSYSERR_NOERROR);
  EXPECT_EQ(position.u.sample, 110u);
  ASSERT_EQ(waveOutRestart(device), MMSYSERR_NOERROR);  // no effect when playing
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, PauseDuringPlayHoldsTheHeader) {
  UseSink("null", false);
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  Header h(Bytes(11026));  // half a second
  auto start = std::chrono::steady_clock::now();
  PrepareAndWrite(device, h);
  ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);
  if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(150))
    GTEST_SKIP() << "machine too slow to pause before the buffer ends";
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_EQ(h.Flags() & WHDR_DONE, 0u);
  ASSERT_EQ(waveOutRestart(device), MMSYSERR_NOERROR);
  ASSERT_TRUE(rec.WaitForCount(2));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, NullSinkFinishesAfterPlayingTime) {
  UseSink("null", false);
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  Header h(Bytes(4410));  // 200 ms
  auto start = std::chrono::steady_clock::now();
  PrepareAndWrite(device, h);
  ASSERT_TRUE(rec.WaitForCount(2));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(190));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, SameFileAppendsWithinTheProcess) {
  for (int16_t round = 1; round <= 2; ++round) {
    Recorder rec;
    HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
    Header h(Samples16({round, round}));
    PrepareAndWrite(device, h);
    ASSERT_TRUE(rec.WaitForCount(2));
    ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  }
  Bytes file = ReadFile(path_);
  ASSERT_EQ(file.size(), 52u);
  EXPECT_EQ(U32At(file, 4), 44u);
  EXPECT_EQ(U32At(file, 40), 8u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), Samples16({1, 1, 2, 2}));

  // Another format starts the file anew; 8-bit odd data gets its pad byte.
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 8));
  Header h(Bytes{0x80, 0x90, 0xA0});
  PrepareAndWrite(device, h);
  ASSERT_TRUE(rec.WaitForCount(2));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  file = ReadFile(path_);
  ASSERT_EQ(file.size(), 48u);
  EXPECT_EQ(U32At(file, 4), 40u);
  EXPECT_EQ(U32At(file, 40), 3u);
  EXPECT_EQ(file[34], 8);
}

TEST_F(WaveOut, FileOnAFullDiskDoesNotOpen) {
  UseSink("file:/dev/full", true);
  HWAVEOUT device = nullptr;
  const WAVEFORMATEX format = Pcm(11025, 1, 16);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_ERROR);
  EXPECT_EQ(device, nullptr);
}

// The process may write files of at most `bytes`; a write past that fails
// with EFBIG instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int);
};

TEST_F(WaveOut, FailedFileWriteFailsTheDeviceAndKeepsTheHeaderTrue) {
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  // More than a block, so that the sink writes while the header plays.
  Header big(Bytes(platform::wave::kFileSinkBlockBytes + 400, 0x11));
  Header after(Samples16({1}));
  {
    FileSizeLimit limit(44 + 100);
    PrepareAndWrite(device, big);
    // The header finishes, so nothing waits for it, though only 100 of its
    // bytes reached the file.
    ASSERT_TRUE(rec.WaitForCount(2));
  }
  EXPECT_EQ(WaveOutFailure(), "cannot write the WAV file " + path_ + ": File too large");
  EXPECT_EQ(big.Flags(), WHDR_DONE | WHDR_PREPARED);
  ASSERT_EQ(waveOutPrepareHeader(device, &after.hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutWrite(device, &after.hdr, sizeof(WAVEHDR)), MMSYSERR_ERROR);
  EXPECT_EQ(after.Flags(), WHDR_PREPARED);
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

  Bytes file = ReadFile(path_);
  ASSERT_EQ(file.size(), 144u);
  EXPECT_EQ(U32At(file, 4), 136u);
  EXPECT_EQ(U32At(file, 40), 100u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), Bytes(100, 0x11));
}

TEST_F(WaveOut, RefusesWhatItCannotPlay) {
  HWAVEOUT device = nullptr;
  WAVEFORMATEX good = Pcm(11025, 1, 16);
  WAVEFORMATEX badAlign = good;
  badAlign.nBlockAlign = 4;
  WAVEFORMATEX adpcm = good;
  adpcm.wFormatTag = 2;
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &badAlign, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &adpcm, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  EXPECT_EQ(waveOutOpen(&device, 3, &good, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &good, 0, 0, CALLBACK_WINDOW), MMSYSERR_INVALFLAG);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &good, 0, 0, CALLBACK_FUNCTION),
            MMSYSERR_INVALPARAM);

  // A query opens nothing.
  EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &good, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
  EXPECT_TRUE(ReadFile(path_).empty());

  UseSink("loudspeaker", true);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  UseSink("file:/nonexistent-dir/x.wav", true);
  EXPECT_NE(waveOutOpen(&device, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);

  UseSink("file:" + path_, true);
  ASSERT_EQ(waveOutOpen(&device, 0, &good, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  HWAVEOUT second = nullptr;
  EXPECT_EQ(waveOutOpen(&second, 0, &good, 0, 0, CALLBACK_NULL), MMSYSERR_ALLOCATED);
  Header h(Samples16({1}));
  EXPECT_EQ(waveOutWrite(device, &h.hdr, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
  EXPECT_EQ(waveOutPrepareHeader(device, &h.hdr, sizeof(WAVEHDR) - 1), MMSYSERR_INVALPARAM);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutReset(device), MMSYSERR_INVALHANDLE);
}

TEST_F(WaveOut, EventCallbackIsSignalled) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HWAVEOUT device = nullptr;
  WAVEFORMATEX format = Pcm(11025, 1, 16);
  ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(event), 0,
                        CALLBACK_EVENT),
            MMSYSERR_NOERROR);
  EXPECT_EQ(WaitForSingleObject(event, 20000), WAIT_OBJECT_0);  // WOM_OPEN
  Header h(Samples16({7}));
  PrepareAndWrite(device, h);
  EXPECT_EQ(WaitForSingleObject(event, 20000), WAIT_OBJECT_0);
  EXPECT_EQ(h.Flags() & WHDR_DONE, WHDR_DONE);
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  CloseHandle(event);
}

TEST_F(WaveOut, SinkFromTheRegistryWhenNoEnvironment) {
  unsetenv("PARLEN_AUDIO");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Audio", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::u16string value;
  for (char ch : "file:" + path_) value += static_cast<char16_t>(ch);
  ASSERT_EQ(RegSetValueExW(key, u"Sink", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
            ERROR_SUCCESS);
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  Header h(Samples16({9, 8}));
  PrepareAndWrite(device, h);
  ASSERT_TRUE(rec.WaitForCount(2));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  RegDeleteValueW(key, u"Sink");
  RegCloseKey(key);
  Bytes file = ReadFile(path_);
  ASSERT_EQ(file.size(), 48u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), Samples16({9, 8}));
}

TEST_F(WaveOut, WithoutAnySettingSomeSinkPlays) {
  unsetenv("PARLEN_AUDIO");  // and the test's registry names no sink
  Recorder rec;
  HWAVEOUT device = Open(rec, Pcm(11025, 1, 16));
  Header h(Samples16({0, 0}));
  PrepareAndWrite(device, h);
  ASSERT_TRUE(rec.WaitForCount(2));
  ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  EXPECT_TRUE(ReadFile(path_).empty());
}

}  // namespace
