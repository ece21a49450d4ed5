// An engine wired to fake language components, a voice made by the test,
// and the registry entries that select them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/object/speech_engine.h"
#include "engine/tests/object/fake_components.h"
#include "engine/tests/test_files.h"
#include "engine/synthesizer.h"
#include "engine/voice_writer.h"
#include "foundation/text_file.h"
#include "platform/sync.h"
#include "platform/testing/test_registry.h"

inline constexpr CLSID kFakeTextAnalysisClass = GuidFromText("0E5F1A10-0000-4000-8000-000000000001");
inline constexpr CLSID kFakePhoneticClass = GuidFromText("0E5F1A10-0000-4000-8000-000000000002");

// Units "A" to "D", 400 samples each of one value per unit, pitch marks
// every 100 samples.
inline VoiceData TestVoice(int kind) {
  VoiceData voice;
  voice.voiceKind = kind;
  const char* names[] = {"A", "B", "C", "D"};
  for (int i = 0; i < 4; ++i) {
    VoiceUnit unit;
    unit.name = names[i];
    unit.samples.assign(400, static_cast<int16_t>(1000 * (i + 1)));
    unit.marks = {100, 200, 300};
    voice.units.push_back(unit);
  }
  return voice;
}

// Voice registry entries; names and paths are ASCII here.
inline void RegisterVoice(const std::string& name, const std::string& path, const std::string& lang) {
  std::u16string key = u"Software\\Morvane\\Voices\\" + std::u16string(name.begin(), name.end());
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Path", std::u16string(path.begin(), path.end()));
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Lang", std::u16string(lang.begin(), lang.end()));
}

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : voiceFile_("voice.dat") {}

  void SetUp() override { ResetTestRegistry(); }

  void TearDown() override {
    engine_.reset();
    if (textAnalysis_ != nullptr) textAnalysis_->Release();
    if (converter_ != nullptr) converter_->Release();
    if (phonetic_ != nullptr) phonetic_->Release();
  }

  // Registers voice "test" of that kind (language "419") and makes the
  // engine; fails the components whose classes are listed in `refuse`.
  void MakeEngine(const VoiceData& voice, std::vector<CLSID> refuse = {}) {
    ASSERT_TRUE(WriteVoiceDatabase(voiceFile_.Wide(), voice));
    WriteVoice("test", voiceFile_.Narrow(), "419");
    WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\419", u"CLSID",
                        GuidToString(kFakeTextAnalysisClass));
    WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Phonetic\\419", u"CLSID",
                        GuidToString(kFakePhoneticClass));
    voice_ = voice;
    EngineSeams seams;
    seams.create = [this, refuse](REFCLSID clsid, REFIID iid, void** object) -> HRESULT {
      for (const CLSID& refused : refuse) {
        if (refused == clsid) return REGDB_E_CLASSNOTREG;
      }
      IUnknown* made = nullptr;
      if (clsid == kFakeTextAnalysisClass) {
        if (textAnalysis_ != nullptr) textAnalysis_->Release();
        textAnalysis_ = new FakeTextAnalysis;
        textAnalysis_->AddRef();
        textAnalysis_->script = script_;
        made = static_cast<ILMPrepToSpeak2*>(textAnalysis_);
      } else if (clsid == CLSID_PhoneticProcessor) {
        if (converter_ != nullptr) converter_->Release();
        converter_ = new FakePhoneConverter;
        converter_->AddRef();
        made = static_cast<IPMPhoneConverter*>(converter_);
      } else if (clsid == kFakePhoneticClass) {
        if (phonetic_ != nullptr) phonetic_->Release();
        phonetic_ = new FakePhonetic;
        phonetic_->AddRef();
        made = static_cast<IPhonetic*>(phonetic_);
      } else {
        return REGDB_E_CLASSNOTREG;
      }
      return made->QueryInterface(iid, object);
    };
    seams.post = [](HWND, UINT, UINT, DWORD) {};
    seams.deviceOpenDelayMs = deviceOpenDelayMs_;
    engine_ = std::make_unique<SpeechEngine>(seams);
    ASSERT_EQ(engine_->Start(), S_OK);
    ASSERT_EQ(engine_->SetEventMask(0x3F), S_OK);
  }

  static void WriteVoice(const std::string& name, const std::string& path, const std::string& lang) {
    RegisterVoice(name, path, lang);
  }

  // The samples the voice gives for one piece at the engine's defaults.
  std::vector<int16_t> RenderedPiece(const std::string& piece) {
    ScratchFile file("expected.dat");
    Allobase voice;
    EXPECT_TRUE(WriteVoiceDatabase(file.Wide(), voice_));
    EXPECT_EQ(voice.Load(file.Wide()), S_OK);
    AudioBuffer buffer;
    SynthParams params;
    params.volume = 10;
    Synthesize(voice, piece, buffer, params, SubstituteLookup());
    const auto* samples = reinterpret_cast<const int16_t*>(buffer.Data());
    return std::vector<int16_t>(samples, samples + buffer.SampleCount());
  }

  std::vector<int16_t> Rendered(const std::vector<std::string>& pieces) {
    std::vector<int16_t> all;
    for (const std::string& piece : pieces) {
      std::vector<int16_t> one = RenderedPiece(piece);
      all.insert(all.end(), one.begin(), one.end());
    }
    return all;
  }

  void Drain() {
    TTSEvent buffer[64];
    UINT got = 0;
    engine_->GetEvents(buffer, 64, &got);
    events_.insert(events_.end(), buffer, buffer + got);
  }

  // Every event queued so far, waiting until `last` has arrived.
  std::vector<TTSEvent> EventsUntil(UINT last) {
    for (int round = 0; round < 5000; ++round) {
      Drain();
      for (const TTSEvent& event : events_) {
        if (event.type == last) return events_;
      }
      Sleep(1);
    }
    ADD_FAILURE() << "event " << last << " never came";
    return events_;
  }

  // Speaks into a WAV file through the wave-out device, to the end.
  std::vector<int16_t> SpeakToFile(const char* text, HRESULT expected = S_OK) {
    ScratchFile wav("out.wav");
    setenv("PARLEN_AUDIO", ("file:" + wav.Narrow()).c_str(), 1);
    setenv("PARLEN_AUDIO_FAST", "1", 1);
    EXPECT_EQ(engine_->Speak(text, 1), expected);
    EventsUntil(TE_SpeechEnd);
    AudioBuffer buffer;
    EXPECT_TRUE(buffer.ReadWaveFile(wav.Wide()));
    const auto* samples = reinterpret_cast<const int16_t*>(buffer.Data());
    return std::vector<int16_t>(samples, samples + buffer.SampleCount());
  }

  ScratchFile voiceFile_;
  VoiceData voice_;
  std::vector<ScriptSentence> script_;
  std::unique_ptr<SpeechEngine> engine_;
  std::vector<TTSEvent> events_;
  DWORD deviceOpenDelayMs_ = 200;
  FakeTextAnalysis* textAnalysis_ = nullptr;
  FakePhoneConverter* converter_ = nullptr;
  FakePhonetic* phonetic_ = nullptr;
};

inline bool operator==(const TTSEvent& a, const TTSEvent& b) {
  return a.type == b.type && a.param1 == b.param1 && a.param2 == b.param2;
}

inline void PrintTo(const TTSEvent& e, std::ostream* os) {
  *os << "{" << e.type << "," << e.param1 << "," << e.param2 << "}";
}
