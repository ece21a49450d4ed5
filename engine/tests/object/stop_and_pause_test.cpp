// Stopping while paused, and speech control calls from two threads at
// random: whatever the order, a stopped engine ends its speech, every start
// event gets its end event, and the next Speak speaks.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "engine/tests/object/engine_fixture.h"

namespace {

using Events = std::vector<TTSEvent>;
using Clock = std::chrono::steady_clock;

// A hang shows as a call or a wait past this; generous for the sanitizers.
constexpr auto kCallBound = std::chrono::seconds(5);

class StopAndPauseTest : public EngineTest {
 protected:
  // Voice kind 0 with a long unit "A" (0.45 s at the voice's rate), so a
  // piece is still in the device when the next call comes.
  void MakeSlowEngine() {
    VoiceData voice = TestVoice(0);
    voice.units[0].samples.assign(5000, 700);
    script_ = {{{SE_Stop1, {{"A", 0, 1}, {"A", 2, 1}}}}};
    deviceOpenDelayMs_ = 0;
    MakeEngine(voice);
    ASSERT_EQ(engine_->SetVoice("test"), S_OK);
    setenv("PARLEN_AUDIO", "null", 1);
    unsetenv("PARLEN_AUDIO_FAST");
    Drain();
    events_.clear();
  }

  // Events until `count` speech ends have come, or the bound passed.
  Events EventsUntilEnds(size_t count) {
    const auto deadline = Clock::now() + kCallBound;
    for (;;) {
      Drain();
      if (std::count_if(events_.begin(), events_.end(),
                        [](const TTSEvent& e) { return e.type == TE_SpeechEnd; }) >=
              static_cast<ptrdiff_t>(count) ||
          Clock::now() > deadline) {
        return events_;
      }
      Sleep(1);
    }
  }

  // After the interrupted speech has ended, a new Speak is accepted and
  // plays to its end.
  // `own` is what the interrupting call queues itself.
  void ExpectInterruptedSpeechEndsAndNextSpeaks(HRESULT interrupted, Events own = {}) {
    Events expected{{TE_SpeechStart, 0, 0}, {TE_SentenceSpan, 0, 3}, {TE_WordSpan, 0, 1}};
    expected.insert(expected.end(), own.begin(), own.end());
    expected.push_back({TE_SpeechEnd, 0, 0});
    EXPECT_EQ(EventsUntilEnds(1), expected) << "interrupting call answered " << interrupted;
    INT paused = 1;
    EXPECT_EQ(engine_->IsPaused(&paused), S_OK);
    EXPECT_EQ(paused, 0);
    events_.clear();
    setenv("PARLEN_AUDIO_FAST", "1", 1);
    ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
    EXPECT_EQ(EventsUntilEnds(1), (Events{{TE_SpeechStart, 0, 0},
                                          {TE_SentenceSpan, 0, 3},
                                          {TE_WordSpan, 0, 1},
                                          {TE_WordSpan, 2, 3},
                                          {TE_SpeechEnd, 0, 0}}));
  }
};

TEST_F(StopAndPauseTest, SpeakWhilePausedLetsThePausedPieceEnd) {
  MakeSlowEngine();
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  // The piece in the device still has to play out: refused, no start event.
  const HRESULT second = engine_->Speak("a a", 1);
  EXPECT_EQ(second, S_FALSE);
  ExpectInterruptedSpeechEndsAndNextSpeaks(second);
}

TEST_F(StopAndPauseTest, SetVoiceWhilePausedLetsThePausedPieceEnd) {
  MakeSlowEngine();
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  const HRESULT selected = engine_->SetVoice("test");
  EXPECT_EQ(selected, S_OK);
  ExpectInterruptedSpeechEndsAndNextSpeaks(selected, {{TE_VoiceChanged, 0, 0}});
}

TEST_F(StopAndPauseTest, SetOutputFormatWhilePausedLetsThePausedPieceEnd) {
  MakeSlowEngine();
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  const HRESULT formatted = engine_->SetOutputFormat(11025, 16, 1);
  EXPECT_EQ(formatted, S_OK);
  ExpectInterruptedSpeechEndsAndNextSpeaks(formatted);
}

TEST_F(StopAndPauseTest, StopWhilePausedLetsThePausedPieceEnd) {
  MakeSlowEngine();
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  const HRESULT stopped = engine_->Stop();
  EXPECT_EQ(stopped, S_OK);
  ExpectInterruptedSpeechEndsAndNextSpeaks(stopped);
}

// Pull mode has no device to play out: Stop and a new Speak end the
// speech at once.
TEST_F(StopAndPauseTest, PullSpeechEndsWhenStoppedOrSpokenOver) {
  script_ = {{{SE_Stop1, {{"A", 0, 1}, {"A", 2, 1}}}}};
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  std::vector<int16_t> buffer(100);
  ASSERT_EQ(engine_->SetPullBuffer(buffer.data(), 100), S_OK);
  Drain();
  events_.clear();
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Speak("a a", 1), S_OK);
  ASSERT_EQ(engine_->Stop(), S_OK);
  ASSERT_EQ(engine_->Stop(), S_OK);
  Drain();
  Events starts;
  for (const TTSEvent& event : events_) {
    if (event.type != TE_AudioDelivered) starts.push_back(event);
  }
  EXPECT_EQ(starts, (Events{{TE_SpeechStart, 0, 0},
                            {TE_SpeechEnd, 0, 0},
                            {TE_SpeechStart, 0, 0},
                            {TE_SpeechEnd, 0, 0}}));
}

// Counts start and end events as they come; a start while one is open or
// an end without one is a fault.
class PairingDrainer {
 public:
  explicit PairingDrainer(SpeechEngine& engine)
      : engine_(engine), thread_([this] { Run(); }) {}
  ~PairingDrainer() { Finish(); }

  void Finish() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // Drains on the caller's thread too (after Finish).
  void DrainNow() { DrainOnce(); }

  std::atomic<int> open{0};
  std::atomic<int> starts{0};
  std::atomic<int> ends{0};
  std::atomic<int> faults{0};
  std::vector<TTSEvent> sinceLastStart;

 private:
  void Run() {
    while (!done_) {
      DrainOnce();
      Sleep(1);
    }
    DrainOnce();
  }
  void DrainOnce() {
    TTSEvent events[256];
    UINT got = 0;
    while (engine_.GetEvents(events, 256, &got) == S_OK && got > 0) {
      for (UINT i = 0; i < got; ++i) Count(events[i]);
    }
  }
  void Count(const TTSEvent& event) {
    if (event.type == TE_SpeechStart) {
      ++starts;
      if (++open != 1) ++faults;
      sinceLastStart.clear();
    } else if (event.type == TE_SpeechEnd) {
      ++ends;
      if (--open != 0) ++faults;
    }
    sinceLastStart.push_back(event);
  }

  SpeechEngine& engine_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

TEST_F(StopAndPauseTest, RandomCallsFromTwoThreadsNeverLeaveSpeechStuck) {
  // Three sentences of short pieces, each completed at once by the device.
  script_ = {{{SE_Stop1, {{"A", 0, 1}, {"B", 2, 1}}}},
             {{SE_Comma1, {{"C", 4, 1}}}, {SE_Stop1, {{"D", 6, 1}}}},
             {{SE_Stop1, {{"A", 8, 1}}}}};
  deviceOpenDelayMs_ = 0;
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  setenv("PARLEN_AUDIO", "null", 1);
  setenv("PARLEN_AUDIO_FAST", "1", 1);
  Drain();

  PairingDrainer drainer(*engine_);
  std::atomic<long long> longestCallMs{0};
  std::atomic<int> wrongResults{0};
  std::atomic<int> accepted{0};
  auto caller = [&](unsigned seed) {
    std::mt19937 random(seed);
    for (int call = 0; call < 1500; ++call) {
      const auto started = Clock::now();
      HRESULT result = S_OK;
      bool speak = false;
      switch (random() % 6) {
        case 0:
          speak = true;
          result = engine_->Speak("a b c d a", 1);
          break;
        case 1: result = engine_->Stop(); break;
        case 2: result = engine_->Pause(); break;
        case 3: result = engine_->Resume(); break;
        case 4: result = engine_->SetVoice("test"); break;
        default: result = engine_->SetRate(static_cast<I1>(static_cast<int>(random() % 21) - 10)); break;
      }
      const auto took =
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
      long long longest = longestCallMs.load();
      while (took > longest && !longestCallMs.compare_exchange_weak(longest, took)) {
      }
      if (result == S_OK && speak) ++accepted;
      if (result != S_OK && !(speak && result == S_FALSE)) ++wrongResults;
      if (random() % 4 == 0) Sleep(random() % 3);
    }
  };
  std::thread first(caller, 7u);
  std::thread second(caller, 11u);
  first.join();
  second.join();
  ASSERT_EQ(engine_->Stop(), S_OK);

  // The piece left in the device plays out and ends the last speech.
  const auto deadline = Clock::now() + kCallBound;
  while (Clock::now() < deadline) {
    INT speaking = 1;
    engine_->IsSpeaking(&speaking);
    if (speaking == 0 && engine_->Speak("a", 1) == S_OK) break;
    Sleep(1);
  }
  const auto waitStarted = Clock::now();
  EXPECT_EQ(engine_->Wait(static_cast<UINT>(kCallBound / std::chrono::milliseconds(1))), S_OK);
  EXPECT_LT(Clock::now() - waitStarted, kCallBound) << "never idle";
  for (int round = 0; round < 1000 && drainer.open != 0; ++round) Sleep(1);
  drainer.Finish();
  drainer.DrainNow();

  EXPECT_EQ(wrongResults, 0);
  EXPECT_GT(accepted, 10);
  EXPECT_LT(longestCallMs, kCallBound / std::chrono::milliseconds(1));
  EXPECT_EQ(drainer.faults, 0);
  EXPECT_EQ(drainer.open, 0);
  EXPECT_EQ(drainer.starts, drainer.ends);
  // The final Speak ("a") played to its end.
  EXPECT_EQ(drainer.sinceLastStart, (Events{{TE_SpeechStart, 0, 0},
                                            {TE_SentenceSpan, 0, 3},
                                            {TE_WordSpan, 0, 1},
                                            {TE_WordSpan, 2, 3},
                                            {TE_SentenceSpan, 4, 7},
                                            {TE_WordSpan, 4, 5},
                                            {TE_WordSpan, 6, 7},
                                            {TE_SentenceSpan, 8, 9},
                                            {TE_WordSpan, 8, 9},
                                            {TE_SpeechEnd, 0, 0}}));
  INT paused = 1;
  EXPECT_EQ(engine_->IsPaused(&paused), S_OK);
  EXPECT_EQ(paused, 0);
}

}  // namespace
