// Text to samples through the registered servers, the built Russian data and
// the built voice: the engine's events against the text, the WAV it writes,
// and the sound of the pieces (no silent word, no click, even loudness,
// length that follows the rate).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/tests/stack/stack_audio.h"
#include "foundation/registry_string.h"
#include "interfaces/orvox.h"
#include "platform/server.h"
#include "platform/sync.h"

namespace {

// Windows-1251: three sentences, a comma inside the first.
const std::string kText =
    "Мы долго шли по берегу реки, и солнце светило нам в спину. "
    "Вечером мы развели костёр у самой воды. Какая тихая ночь!";

struct Spoken {
  std::vector<TTSEvent> events;
  std::vector<int16_t> samples;
  // Pull mode: samples delivered by the end of each piece.
  std::vector<size_t> pieceEnds;
};

class SpeechStackTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(PARLEN_VOICE_FILE))
      GTEST_SKIP() << "the voice " << PARLEN_VOICE_FILE
                   << " is not built (build the target russian-voice)";
    setenv("PARLEN_AUDIO_FAST", "1", 1);
  }

  static ITTSEngine* CreateEngine(int rate, const char* voice = PARLEN_VOICE_NAME) {
    ITTSEngine* engine = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TTSEngine, nullptr, 0x17, IID_PPV_ARGS(&engine)), S_OK);
    if (engine == nullptr) return nullptr;
    EXPECT_EQ(engine->SetEventMask(0x3F), S_OK);
    EXPECT_EQ(engine->SetVoice(voice), S_OK);
    EXPECT_EQ(engine->SetRate(static_cast<I1>(rate)), S_OK);
    return engine;
  }

  static void FollowUntilEnd(ITTSEngine* engine, Spoken& out) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (bool ended = false; !ended && std::chrono::steady_clock::now() < limit;) {
      TTSEvent events[64];
      UINT got = 0;
      engine->GetEvents(events, 64, &got);
      for (UINT i = 0; i < got; ++i) {
        if (events[i].type == TE_SpeechEnd) ended = true;
        if (events[i].type == TE_AudioDelivered)
          out.pieceEnds.push_back(events[i].param1);
        else
          out.events.push_back(events[i]);
      }
      if (got == 0) Sleep(2);
    }
    engine->Wait(INFINITE);
  }

  // Through the wave-out device into a WAV file.
  Spoken SpeakToFile(const std::string& text, int rate) {
    Spoken out;
    const std::string path = std::string(std::getenv("TEST_TMPDIR")) + "speech" +
                             std::to_string(files_++) + ".wav";
    setenv("PARLEN_AUDIO", ("file:" + path).c_str(), 1);
    ITTSEngine* engine = CreateEngine(rate);
    if (engine == nullptr) return out;
    EXPECT_EQ(engine->Speak(text.c_str(), 1), S_OK);
    FollowUntilEnd(engine, out);
    engine->Release();
    Wave wave;
    EXPECT_TRUE(ReadWave(path, wave)) << path;
    EXPECT_EQ(wave.sampleRate, 16000);
    out.samples = std::move(wave.samples);
    return out;
  }

  // Pull mode with a buffer that takes the whole text in one request, so
  // that each piece's delivery marks where it ends.
  static Spoken SpeakPulled(const std::string& text, int rate) {
    ITTSEngine* engine = CreateEngine(rate);
    if (engine == nullptr) return Spoken();
    Spoken out = SpeakPulledBy(engine, text);
    engine->Release();
    return out;
  }

  // The same with an engine that stays alive between texts.
  static Spoken SpeakPulledBy(ITTSEngine* engine, const std::string& text) {
    Spoken out;
    ITTSAudioPull* pull = nullptr;
    EXPECT_EQ(engine->QueryInterface(IID_PPV_ARGS(&pull)), S_OK);
    if (pull == nullptr) return out;
    std::vector<SHORT> buffer(1 << 22);
    pull->SetPullBuffer(buffer.data(), static_cast<UINT>(buffer.size()));
    EXPECT_EQ(engine->Speak(text.c_str(), 1), S_OK);
    FollowUntilEnd(engine, out);
    EXPECT_LT(out.pieceEnds.empty() ? 0 : out.pieceEnds.back(), buffer.size());
    out.samples.assign(buffer.begin(), buffer.begin() + (out.pieceEnds.empty() ? 0 : out.pieceEnds.back()));
    pull->SetPullBuffer(nullptr, 0);
    pull->Release();
    return out;
  }

  static std::vector<TextSpan> SpansOf(const Spoken& spoken, UINT type) {
    std::vector<TextSpan> spans;
    for (const auto& e : spoken.events)
      if (e.type == type) spans.push_back({e.param1, e.param2});
    return spans;
  }

  static inline int files_ = 0;
};

// The second text holds a word whose unstressed «о» stays unreduced, a
// vowel outside the phonetics' inventory: it costs no word its speech.
TEST_F(SpeechStackTest, EventsFollowTheTextsSentencesAndWords) {
  for (const std::string& text : {kText, std::string("Мама любит стиль рококо и мыла раму.")}) {
    SCOPED_TRACE(text);
    const Spoken spoken = SpeakToFile(text, 0);
    std::vector<UINT> order;
    for (const auto& e : spoken.events)
      if (e.type != TE_WordSpan && e.type != TE_SentenceSpan) order.push_back(e.type);
    EXPECT_EQ(order, (std::vector<UINT>{TE_VoiceChanged, TE_SpeechStart, TE_SpeechEnd}));

    EXPECT_EQ(SpansOf(spoken, TE_SentenceSpan), SentencesOf(text));
    // A sentence's span comes right before the words that begin it.
    for (size_t i = 0; i + 1 < spoken.events.size(); ++i) {
      if (spoken.events[i].type != TE_SentenceSpan) continue;
      EXPECT_EQ(spoken.events[i + 1].type, TE_WordSpan);
      EXPECT_EQ(spoken.events[i + 1].param1, spoken.events[i].param1);
    }
    // Pieces take whole words, in order, and leave none out: each span runs
    // from a word's start to a later word's end, and the next span starts at
    // the word after.
    const std::vector<TextSpan> words = WordsOf(text);
    const std::vector<TextSpan> pieces = SpansOf(spoken, TE_WordSpan);
    size_t next = 0;
    for (const TextSpan& piece : pieces) {
      ASSERT_LT(next, words.size());
      EXPECT_EQ(piece.start, words[next].start) << "word " << next;
      while (next < words.size() && words[next].end < piece.end) ++next;
      ASSERT_LT(next, words.size());
      EXPECT_EQ(piece.end, words[next].end) << "word " << next;
      ++next;
    }
    EXPECT_EQ(next, words.size());
  }
}

TEST_F(SpeechStackTest, WaveHasTheLengthOfTheTextAndThePulledSamples) {
  const Spoken file = SpeakToFile(kText, 0);
  const Spoken pulled = SpeakPulled(kText, 0);
  // The device and the pull buffer get the same pieces.
  EXPECT_EQ(file.samples, pulled.samples);
  EXPECT_EQ(pulled.pieceEnds.size(), SpansOf(file, TE_WordSpan).size());

  // Speech without the pauses: between 120 and 300 ms a syllable.
  const double perSyllable = static_cast<double>(SpeechSampleCount(file.samples, 160)) /
                             16000.0 / static_cast<double>(CountVowelLetters(kText));
  EXPECT_GT(perSyllable, 0.12);
  EXPECT_LT(perSyllable, 0.3);
  // Three sentence ends and a comma: at least their pauses on top.
  EXPECT_GT(file.samples.size(), SpeechSampleCount(file.samples, 160) + 16000 * 1);
}

TEST_F(SpeechStackTest, PiecesAreAudibleEvenAndFreeOfClicks) {
  const Spoken pulled = SpeakPulled(kText, 0);
  ASSERT_FALSE(pulled.pieceEnds.empty());
  double loudest = 0, softest = 1e9;
  size_t from = 0;
  for (size_t end : pulled.pieceEnds) {
    const size_t sound = EndOfSound(pulled.samples, from, end);
    ASSERT_GT(sound, from + 1600) << "piece ending at " << end;
    // No word inside a piece falls silent: pieces hold no pauses but their
    // last, and no stop closure lasts 150 ms.
    EXPECT_LT(LongestQuietStretch(pulled.samples, from, sound, 160, 100.0), 2400u)
        << "piece ending at " << end;
    const double rms = Rms(pulled.samples, from, sound);
    loudest = std::max(loudest, rms);
    softest = std::min(softest, rms);
    from = end;
  }
  EXPECT_LT(loudest / softest, 1.6) << "softest " << softest << ", loudest " << loudest;
  EXPECT_LT(LargestLoneStep(pulled.samples, 8, 3.0), 3000);
}

TEST_F(SpeechStackTest, RateScalesTheLength) {
  const Spoken normal = SpeakPulled(kText, 0);
  const Spoken fast = SpeakPulled(kText, 5);
  const Spoken slow = SpeakPulled(kText, -5);
  const double speech = static_cast<double>(SpeechSampleCount(normal.samples, 160));
  // 1.117^5 = 1.74: faster speech shortens sounds and pauses alike, slower
  // speech stretches the sounds only.
  const double fastRatio = static_cast<double>(fast.samples.size()) / normal.samples.size();
  EXPECT_GT(fastRatio, 0.52);
  EXPECT_LT(fastRatio, 0.63);
  const double slowRatio = SpeechSampleCount(slow.samples, 160) / speech;
  EXPECT_GT(slowRatio, 1.6);
  EXPECT_LT(slowRatio, 1.9);
  EXPECT_EQ(fast.pieceEnds.size(), normal.pieceEnds.size());
  EXPECT_EQ(slow.pieceEnds.size(), normal.pieceEnds.size());
  EXPECT_LT(LargestLoneStep(fast.samples, 8, 3.0), 3000);
  EXPECT_LT(LargestLoneStep(slow.samples, 8, 3.0), 3000);
}

// The user stress base, as the data installation registers it: the text
// analysis reads `UserStressBase` under the data's key (relative to `Root`),
// the reader the full path under the text-analysis module's key. Both are
// pointed at a copy in the scratch folder, and put back when the case ends,
// so that the build's own file stays as it is.
class UserStressBaseCopy {
 public:
  UserStressBaseCopy() {
    ReadRegistryString(root_, HKEY_LOCAL_MACHINE, kDataKey, "Root");
    ReadRegistryString(relative_, HKEY_LOCAL_MACHINE, kDataKey, "UserStressBase");
    ReadRegistryString(full_, HKEY_LOCAL_MACHINE, kModuleKey, "UserStressBase");
    path_ = std::string(std::getenv("TEST_TMPDIR")) + "userstress.txt";
    std::error_code error;
    std::filesystem::copy_file(full_, path_, std::filesystem::copy_options::overwrite_existing,
                               error);
    copied_ = !error;
    const std::string fromRoot =
        std::filesystem::relative(path_, root_, error).generic_string();
    Point(fromRoot, path_);
  }
  ~UserStressBaseCopy() { Point(relative_, full_); }

  bool Copied() const { return copied_; }
  const std::string& Full() const { return full_; }
  // Appends one line: a word with "+" after its stressed vowel, or the bare
  // word, which removes it again.
  void Append(const std::string& line) const {
    std::ofstream file(path_, std::ios::binary | std::ios::app);
    file << line << '\n';
  }

 private:
  static constexpr const char* kDataKey = "SOFTWARE\\Morvane\\Russian";
  static constexpr const char* kModuleKey = "Software\\Morvane\\Glossel Module\\419";

  static void Point(const std::string& relative, const std::string& full) {
    EXPECT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\Russian",
                                  u"UserStressBase", Widen(relative)),
              ERROR_SUCCESS);
    EXPECT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\419",
                                  u"UserStressBase", Widen(full)),
              ERROR_SUCCESS);
  }
  // The paths are plain ASCII.
  static std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

  std::string root_, relative_, full_, path_;
  bool copied_ = false;
};

TEST_F(SpeechStackTest, UserStressBaseChangesHowAWordIsSpoken) {
  UserStressBaseCopy base;
  ASSERT_TRUE(base.Copied()) << "no user stress base at \"" << base.Full() << "\"";
  ITTSEngine* engine = CreateEngine(0);
  ASSERT_NE(engine, nullptr);
  ITTSUserBase* user = nullptr;
  EXPECT_EQ(engine->QueryInterface(IID_PPV_ARGS(&user)), S_OK);
  ASSERT_NE(user, nullptr);

  // The dictionary stresses the last syllable: «молоко́».
  const std::string text = "Молоко.";
  const Spoken dictionary = SpeakPulledBy(engine, text);
  ASSERT_FALSE(dictionary.samples.empty());

  base.Append("мо+локо");
  EXPECT_EQ(user->ReloadUserBase(), S_OK);
  const Spoken stressed = SpeakPulledBy(engine, text);
  ASSERT_FALSE(stressed.samples.empty());
  EXPECT_NE(stressed.samples, dictionary.samples);

  base.Append("молоко");
  EXPECT_EQ(user->ReloadUserBase(), S_OK);
  const Spoken removed = SpeakPulledBy(engine, text);
  EXPECT_EQ(removed.samples.size(), dictionary.samples.size());
  EXPECT_TRUE(removed.samples == dictionary.samples);

  user->Release();
  engine->Release();
}

// Pull mode a tenth of a second at a time, `step` called after each, so that
// something can happen to the voice between two requests.
Spoken SpeakPulledInSteps(ITTSEngine* engine, const std::string& text,
                          const std::function<void(size_t)>& step) {
  Spoken out;
  ITTSAudioPull* pull = nullptr;
  EXPECT_EQ(engine->QueryInterface(IID_PPV_ARGS(&pull)), S_OK);
  if (pull == nullptr) return out;
  std::vector<SHORT> buffer(1600);
  pull->SetPullBuffer(buffer.data(), static_cast<UINT>(buffer.size()));
  EXPECT_EQ(engine->Speak(text.c_str(), 1), S_OK);
  // A request ends when the buffer is full or the speech ends; each piece
  // ending in it gives the samples it holds so far.
  size_t filled = 0;
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  for (bool ended = false; !ended && std::chrono::steady_clock::now() < limit;) {
    TTSEvent events[64];
    UINT got = 0;
    engine->GetEvents(events, 64, &got);
    for (UINT i = 0; i < got; ++i) {
      if (events[i].type != TE_AudioDelivered) {
        out.events.push_back(events[i]);
        if (events[i].type == TE_SpeechEnd) ended = true;
        continue;
      }
      filled = events[i].param1;
      if (filled < buffer.size()) continue;
      out.samples.insert(out.samples.end(), buffer.begin(), buffer.end());
      filled = 0;
      step(out.samples.size() / buffer.size());
      pull->RequestData();
    }
    if (got == 0) Sleep(1);
  }
  out.samples.insert(out.samples.end(), buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(filled));
  pull->SetPullBuffer(nullptr, 0);
  pull->Release();
  return out;
}

// The voice file copied and registered under a name of its own, then cut
// short while speaking, and later put back in place (written over, as a
// voice used to be rebuilt): no unit read may fail the process, every
// sentence is still spoken, and once the file is whole again the speech is
// what the whole voice gives.
TEST_F(SpeechStackTest, AVoiceFileCutShortAndRewrittenWhileSpeaking) {
  const std::string copy = std::string(std::getenv("TEST_TMPDIR")) + "voice-copy.dat";
  std::filesystem::copy_file(PARLEN_VOICE_FILE, copy);
  const std::u16string key = u"Software\\Morvane\\Voices\\Copy";
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Path",
                                std::u16string(copy.begin(), copy.end())),
            ERROR_SUCCESS);
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Lang", u"419"), ERROR_SUCCESS);
  const std::string text = kText + " " + kText + " " + kText;

  ITTSEngine* engine = CreateEngine(0, "Copy");
  ASSERT_NE(engine, nullptr);
  const Spoken whole = SpeakPulledInSteps(engine, text, [](size_t) {});
  const size_t steps = whole.samples.size() / 1600;
  ASSERT_GT(steps, 100u);

  std::string original;
  {
    std::ifstream in(copy, std::ios::binary);
    original.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const Spoken changed = SpeakPulledInSteps(engine, text, [&](size_t step) {
    if (step == steps / 4) std::filesystem::resize_file(copy, 100000);
    // A second later: the units of that second were cut short.
    if (step == steps / 4 + 10) {
      std::ofstream out(copy, std::ios::binary | std::ios::trunc);
      out.write(original.data(), static_cast<std::streamsize>(original.size()));
    }
  });
  engine->Release();

  EXPECT_EQ(SpansOf(changed, TE_SentenceSpan), SpansOf(whole, TE_SentenceSpan));
  ASSERT_FALSE(changed.events.empty());
  EXPECT_EQ(changed.events.back().type, TE_SpeechEnd);
  // Before the cut the same; while the file is short, mostly silence.
  const size_t cut = steps / 4 * 1600;
  ASSERT_GT(changed.samples.size(), cut + 16000);
  EXPECT_TRUE(std::equal(whole.samples.begin(), whole.samples.begin() + cut, changed.samples.begin()));
  EXPECT_LT(changed.samples.size(), whole.samples.size());
  // The last sentence, spoken long after the file was whole again.
  const size_t tail = 16000;
  EXPECT_TRUE(std::equal(whole.samples.end() - tail, whole.samples.end(), changed.samples.end() - tail));
}

}  // namespace
