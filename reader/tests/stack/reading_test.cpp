// The main window reading a document aloud to its end with the installed
// speech engine, the built data and the voice "Nikolay", into a WAV file.
// Besides the pages, it reports what each chunk join adds to the audio: the
// silence at the join against the pauses between sentences inside a chunk,
// and the time from the end of one chunk to the next chunk's first audio.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "foundation/registry_string.h"
#include "platform/window/headless_backend.h"
#include "reader/reader_dlg.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kVoice[] = "Nikolay";

// About 1500 bytes: a few pages of a 240 x 320 window, two chunks.
const char* const kSentences[] = {
    "Мы долго шли по берегу реки, и солнце светило нам в спину.",
    "Вечером мы развели костёр у самой воды.",
    "Какая тихая ночь!",
    "Над рекой поднимался туман, и где-то далеко лаяла собака.",
    "Утром мы проснулись рано и пошли дальше вдоль берега.",
    "Дорога была трудной, но никто не жаловался.",
    "К полудню мы вышли к старой мельнице.",
    "Там жил старик, который угостил нас молоком и хлебом.",
    "Он рассказал, что река весной разливается до самого леса.",
    "Мы поблагодарили его и отправились в путь.",
};

std::string Scratch(const std::string& name) { return std::string(std::getenv("TEST_TMPDIR")) + name; }
std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string Document() {
  std::string text;
  for (int round = 0; round < 3; ++round) {
    for (const char* sentence : kSentences) text += std::string(sentence) + (round ? " " : "\r\n");
  }
  return text;
}

// Forwards to the engine, noting when each chunk starts and each end of
// speech is handed out, and how many samples the WAV holds at each start.
class TimedEngine final : public ITTSEngine {
 public:
  TimedEngine(ITTSEngine* inner, std::string wav) : inner_(inner), wav_(std::move(wav)) {}
  ~TimedEngine() { inner_->Release(); }

  struct Start {
    size_t samplesBefore;
    Clock::time_point returned;
  };
  std::vector<Start> starts;
  std::vector<Clock::time_point> ends;

  HRESULT QueryInterface(REFIID iid, void** out) override { return inner_->QueryInterface(iid, out); }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    if (--references_ != 0) return references_;
    delete this;
    return 0;
  }
  HRESULT SetRateRange(INT range) override { return inner_->SetRateRange(range); }
  HRESULT SetOutputFormat(UINT s, INT b, INT c) override { return inner_->SetOutputFormat(s, b, c); }
  HRESULT IsSpeaking(INT* v) override { return inner_->IsSpeaking(v); }
  HRESULT Resume() override { return inner_->Resume(); }
  HRESULT Nop() override { return inner_->Nop(); }
  HRESULT Pause() override { return inner_->Pause(); }
  HRESULT GetEvents(TTSEvent* events, UINT max, UINT* got) override {
    const HRESULT result = inner_->GetEvents(events, max, got);
    for (UINT i = 0; result == S_OK && i < *got; ++i) {
      if (events[i].type == TE_SpeechEnd) ends.push_back(Clock::now());
    }
    return result;
  }
  HRESULT Wait(UINT ms) override { return inner_->Wait(ms); }
  HRESULT IsPaused(INT* v) override { return inner_->IsPaused(v); }
  HRESULT SetEventCallback(TTSEventCallback c, LPVOID x) override { return inner_->SetEventCallback(c, x); }
  HRESULT GetFlag(I1* f) override { return inner_->GetFlag(f); }
  HRESULT SetVoice(LPCSTR name) override { return inner_->SetVoice(name); }
  HRESULT SkipSentences(INT n, INT* s) override { return inner_->SkipSentences(n, s); }
  HRESULT SetEventMask(UINT mask) override { return inner_->SetEventMask(mask); }
  HRESULT Stop() override { return inner_->Stop(); }
  HRESULT SetNotifyWindow(HWND w, UINT m, DWORD c) override { return inner_->SetNotifyWindow(w, m, c); }
  HRESULT Speak(LPCSTR text, UINT flags) override {
    // The previous chunk's device is closed by now: the file is complete.
    std::error_code error;
    const auto bytes = fs::file_size(wav_, error);
    const size_t before = error || bytes < 44 ? 0 : (bytes - 44) / 2;
    const HRESULT result = inner_->Speak(text, flags);
    starts.push_back({before, Clock::now()});
    return result;
  }
  HRESULT GetRate(I1* r) override { return inner_->GetRate(r); }
  HRESULT SetRate(I1 r) override { return inner_->SetRate(r); }
  HRESULT GetPitch(I1* p) override { return inner_->GetPitch(p); }
  HRESULT SetPitch(I1 p) override { return inner_->SetPitch(p); }
  HRESULT GetVolume(UI1* v) override { return inner_->GetVolume(v); }
  HRESULT SetVolume(UI1 v) override { return inner_->SetVolume(v); }

 private:
  ITTSEngine* inner_;
  std::string wav_;
  ULONG references_ = 1;
};

// 16-bit mono samples of a WAV file written by the file sink.
std::vector<int16_t> ReadSamples(const std::string& path, uint32_t* rate) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples;
  if (bytes.size() < 44) return samples;
  std::memcpy(rate, bytes.data() + 24, 4);
  samples.resize((bytes.size() - 44) / 2);
  std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
  return samples;
}

// Runs of near-silence (below 1% of full scale) as [begin, end) pairs.
std::vector<std::pair<size_t, size_t>> SilentRuns(const std::vector<int16_t>& samples, size_t least) {
  std::vector<std::pair<size_t, size_t>> runs;
  size_t begin = 0;
  for (size_t i = 0; i <= samples.size(); ++i) {
    if (i < samples.size() && std::abs(samples[i]) < 328) continue;
    if (i - begin >= least) runs.emplace_back(begin, i);
    begin = i + 1;
  }
  return runs;
}

class ReaderReadingTest : public testing::Test {
 protected:
  void SetUp() override {
    // The installation's entries, in this test's own registry file: never
    // over whatever registry the caller's environment names.
    const std::string registry = Scratch("installed_registry.reg");
    fs::copy_file(PARLEN_INSTALLED_REGISTRY, registry, fs::copy_options::overwrite_existing);
    setenv("PARLEN_REGISTRY", registry.c_str(), 1);
    std::string voicePath;
    if (!ReadRegistryString(voicePath, HKEY_LOCAL_MACHINE, std::string("Software\\Morvane\\Voices\\") + kVoice,
                            "Path") ||
        !fs::exists(voicePath)) {
      GTEST_SKIP() << "the voice " << kVoice << " is not installed (" << voicePath
                   << "); build the targets russian-voice and register-voice";
    }
    wav_ = Scratch("reading.wav");
    setenv("PARLEN_AUDIO", ("file:" + wav_).c_str(), 1);
    setenv("PARLEN_AUDIO_FAST", "1", 1);
  }

  std::string wav_;
};

TEST_F(ReaderReadingTest, ReadsTheDocumentToItsEndTurningEveryPage) {
  const std::string document = Scratch("river.txt");
  const std::string text = Document();
  std::ofstream(document, std::ios::binary) << text;
  std::ofstream(Scratch("reader.ini")) << "UseTTS=1\nVoice=" << kVoice << "\nCodePage=Win\n";

  HeadlessBackend backend;
  TimedEngine* timed = nullptr;
  CReaderDlg::Environment environment;
  environment.settingsPath = Wide(Scratch("reader.ini"));
  environment.engine.create = [&](ITTSEngine** out) {
    ITTSEngine* engine = nullptr;
    const HRESULT result = DefaultEngineServices().create(&engine);
    if (result != S_OK) return result;
    *out = timed = new TimedEngine(engine, wav_);
    return S_OK;
  };
  CReaderDlg reader(backend, environment);
  reader.OnInitDialog();
  ASSERT_NE(reader.Engine(), nullptr) << "the engine was not created";
  auto& host = static_cast<HeadlessHost&>(reader.Host());
  host.Resize(240, 320);
  reader.OpenDocument(Wide(document));

  // The page starts, walked by hand first.
  std::vector<INT> pages{reader.Page().PageStart()};
  while (!reader.Page().AtDocumentEnd()) {
    reader.NextPage();
    pages.push_back(reader.Page().PageStart());
  }
  ASSERT_GE(pages.size(), 3u) << text.size() << " bytes";
  ASSERT_LE(pages.size(), 6u) << text.size() << " bytes";
  reader.GoToOffset(0);
  ASSERT_EQ(reader.Page().PageStart(), 0);

  reader.OnCommand(ID_SPEAK);
  std::vector<INT> seen{reader.Page().PageStart()};
  const auto limit = Clock::now() + std::chrono::minutes(3);
  INT speaking = 1;
  while (Clock::now() < limit) {
    host.WaitAndPump(100);
    if (reader.Page().PageStart() != seen.back()) seen.push_back(reader.Page().PageStart());
    reader.Engine()->IsSpeaking(&speaking);
    if (speaking == 0 && reader.Speech().SpeechPosition() >= reader.Page().FileSize()) break;
  }
  EXPECT_EQ(speaking, 0) << "still speaking after three minutes";
  // Several turns can fall into one batch of events, so the pages seen
  // between batches are some of the pages, in order, up to the last.
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) &&
              std::includes(pages.begin(), pages.end(), seen.begin(), seen.end()))
      << testing::PrintToString(seen);
  EXPECT_GE(seen.size(), 3u) << "pages turned only at the end";
  EXPECT_EQ(seen.back(), pages.back());
  EXPECT_TRUE(reader.Page().AtDocumentEnd());
  EXPECT_EQ(reader.Speech().SpeechPosition(), static_cast<INT>(text.size()));
  EXPECT_EQ(backend.MessageBoxes().Count(), 0u);

  ASSERT_GE(timed->starts.size(), 2u);
  EXPECT_EQ(timed->ends.size(), timed->starts.size());
  const std::vector<TimedEngine::Start> starts = timed->starts;
  const std::vector<Clock::time_point> ends = timed->ends;
  reader.OnDestroy();

  // What the joins add, for the record.
  uint32_t rate = 0;
  const std::vector<int16_t> samples = ReadSamples(wav_, &rate);
  ASSERT_GT(rate, 0u);
  const auto ms = [rate](size_t n) { return 1000.0 * static_cast<double>(n) / rate; };
  const auto runs = SilentRuns(samples, rate / 20);
  std::vector<double> inside;
  for (const auto& [begin, end] : runs) {
    bool atJoin = false;
    for (size_t k = 1; k < starts.size(); ++k) {
      atJoin |= begin <= starts[k].samplesBefore && starts[k].samplesBefore <= end;
    }
    if (!atJoin && begin > 0 && end < samples.size()) inside.push_back(ms(end - begin));
  }
  std::sort(inside.begin(), inside.end());
  const double pause = inside.empty() ? 0 : inside[inside.size() / 2];
  std::printf("sentence pause inside a chunk (median of %zu): %.1f ms\n", inside.size(), pause);
  for (size_t k = 1; k < starts.size(); ++k) {
    const size_t join = starts[k].samplesBefore;
    double silence = 0;
    for (const auto& [begin, end] : runs) {
      if (begin <= join && join <= end) silence = ms(end - begin);
    }
    const double latency =
        std::chrono::duration<double, std::milli>(starts[k].returned - ends[k - 1]).count();
    std::printf("join %zu at %.3f s: silence %.1f ms (%+.1f ms beyond the pause); "
                "end of speech to next audio %.1f ms\n",
                k, ms(join) / 1000, silence, silence - pause, latency);
  }
}

}  // namespace
