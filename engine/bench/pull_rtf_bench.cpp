// Real-time factor of the engine in pull mode: seconds of computing per
// second of speech, over a made-up voice and scripted text analysis, with
// rate and pitch changes so that every piece goes through overlap-add.
#include <chrono>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/object/speech_engine.h"
#include "engine/tests/object/fake_components.h"
#include "engine/voice_writer.h"
#include "platform/registry.h"
#include "platform/sync.h"

int main() {
  const char* path = "/tmp/parlen_pull_bench_voice.dat";
  setenv("PARLEN_REGISTRY", "/tmp/parlen_pull_bench.reg", 1);
  VoiceData voice;
  voice.voiceKind = 0;
  const char* names[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
  for (int u = 0; u < 8; ++u) {
    VoiceUnit unit;
    unit.name = names[u];
    for (int i = 0; i < 1200; ++i) {
      unit.samples.push_back(static_cast<int16_t>(8000 * std::sin(i * (0.05 + 0.01 * u))));
    }
    for (int m = 90; m < 1200; m += 90) unit.marks.push_back(m);
    voice.units.push_back(unit);
  }
  WriteVoiceDatabase(u"/tmp/parlen_pull_bench_voice.dat", voice);
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Voices\\bench", u"Path",
                      std::u16string(path, path + std::strlen(path)));
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Voices\\bench", u"Lang", u"419");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\419", u"CLSID",
                      u"{0E5F1A10-0000-4000-8000-000000000001}");

  std::vector<ScriptSentence> script;
  for (uint32_t s = 0; s < 200; ++s) {
    ScriptSyntagma syntagma{SE_Stop1, {}};
    for (uint32_t w = 0; w < 6; ++w) syntagma.words.push_back({"A,B,C,D,E,F,G,H", s * 60 + w * 10, 9});
    script.push_back({syntagma});
  }
  EngineSeams seams;
  seams.create = [&](REFCLSID clsid, REFIID iid, void** object) -> HRESULT {
    IUnknown* made = nullptr;
    if (clsid == CLSID_PhoneticProcessor) {
      made = static_cast<IPMPhoneConverter*>(new FakePhoneConverter);
    } else {
      auto* analysis = new FakeTextAnalysis;
      analysis->script = script;
      made = static_cast<ILMPrepToSpeak2*>(analysis);
    }
    return made->QueryInterface(iid, object);
  };
  SpeechEngine engine(seams);
  engine.Start();
  engine.SetEventMask(TE_AudioDelivered | TE_SpeechEnd);
  if (FAILED(engine.SetVoice("bench"))) return 1;
  engine.SetRate(3);
  engine.SetPitch(2);
  std::vector<int16_t> buffer(4096);
  engine.SetPullBuffer(buffer.data(), 4096);

  auto begin = std::chrono::steady_clock::now();
  uint64_t samples = 0;
  // Delivery events count the samples of the current request so far.
  UINT inRequest = 0;
  engine.Speak("x", 1);
  for (bool ended = false; !ended;) {
    TTSEvent events[16];
    UINT got = 0;
    engine.GetEvents(events, 16, &got);
    bool full = false;
    for (UINT i = 0; i < got; ++i) {
      if (events[i].type == TE_SpeechEnd) ended = true;
      if (events[i].type == TE_AudioDelivered) {
        inRequest = events[i].param1;
        full = inRequest == 4096;
      }
    }
    if (full || ended) {
      samples += inRequest;
      inRequest = 0;
    }
    if (full) engine.RequestData();
    if (got == 0) Sleep(0);
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  double audio = static_cast<double>(samples) / 11025.0;
  std::printf("pulled %.1f s of speech in %.3f s: real-time factor %.4f\n", audio, seconds,
              seconds / audio);
  return 0;
}
