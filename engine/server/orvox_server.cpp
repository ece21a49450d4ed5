// The Orvox server: class TTSEngine over the speech engine object.
#include "engine/object/speech_engine.h"
#include "interfaces/orvox.h"
#include "phonetic/debug_log.h"
#include "platform/server.h"

namespace {

class CTTSEngine final : public ComObject<ITTSAudioPull, ITTSEngine, ITTSUserBase> {
 public:
  CTTSEngine() : engine_(SystemSeams()) { engine_.SetDebugLog(&log_); }

  HRESULT FinalConstruct() { return engine_.Start(); }

  // ITTSAudioPull: four slots without behaviour, then the pull buffer.
  HRESULT Reserved1() override { return S_OK; }
  HRESULT Reserved2(UINT* value) override {
    if (value != nullptr) *value = 0;
    return S_OK;
  }
  HRESULT Reserved3() override { return S_OK; }
  HRESULT Reserved4(UINT /*value*/, UINT* out) override {
    if (out != nullptr) *out = 0;
    return S_OK;
  }
  HRESULT SetPullBuffer(SHORT* buffer, UINT size) override {
    return engine_.SetPullBuffer(buffer, size);
  }
  HRESULT RequestData() override { return engine_.RequestData(); }

  // ITTSEngine.
  HRESULT SetRateRange(INT range) override { return engine_.SetRateRange(range); }
  HRESULT SetOutputFormat(UINT samplesPerSec, INT bits, INT channels) override {
    return engine_.SetOutputFormat(samplesPerSec, bits, channels);
  }
  HRESULT IsSpeaking(INT* speaking) override { return engine_.IsSpeaking(speaking); }
  HRESULT Resume() override { return engine_.Resume(); }
  HRESULT Nop() override { return engine_.Nop(); }
  HRESULT Pause() override { return engine_.Pause(); }
  HRESULT GetEvents(TTSEvent* events, UINT max, UINT* got) override {
    return engine_.GetEvents(events, max, got);
  }
  HRESULT Wait(UINT milliseconds) override { return engine_.Wait(milliseconds); }
  HRESULT IsPaused(INT* paused) override { return engine_.IsPaused(paused); }
  HRESULT SetEventCallback(TTSEventCallback callback, LPVOID context) override {
    return engine_.SetEventCallback(callback, context);
  }
  HRESULT GetFlag(I1* flag) override { return engine_.GetFlag(flag); }
  HRESULT SetVoice(LPCSTR voiceName) override { return engine_.SetVoice(voiceName); }
  HRESULT SkipSentences(INT count, INT* skipped) override {
    return engine_.SkipSentences(count, skipped);
  }
  HRESULT SetEventMask(UINT mask) override { return engine_.SetEventMask(mask); }
  HRESULT Stop() override { return engine_.Stop(); }
  HRESULT SetNotifyWindow(HWND window, UINT message, DWORD cookie) override {
    return engine_.SetNotifyWindow(window, message, cookie);
  }
  HRESULT Speak(LPCSTR text, UINT flags) override { return engine_.Speak(text, flags); }
  HRESULT GetRate(I1* rate) override { return engine_.GetRate(rate); }
  HRESULT SetRate(I1 rate) override { return engine_.SetRate(rate); }
  HRESULT GetPitch(I1* pitch) override { return engine_.GetPitch(pitch); }
  HRESULT SetPitch(I1 pitch) override { return engine_.SetPitch(pitch); }
  HRESULT GetVolume(UI1* volume) override { return engine_.GetVolume(volume); }
  HRESULT SetVolume(UI1 volume) override { return engine_.SetVolume(volume); }

  // ITTSUserBase.
  HRESULT ReloadUserBase() override { return engine_.ReloadUserBase(); }

 protected:
  HRESULT QueryOtherInterface(REFIID iid, void** object) override {
    if (iid == IID_ITTSEngineAlias) {
      AddRef();
      *object = static_cast<ITTSEngine*>(this);
      return S_OK;
    }
    return engine_.QueryInner(iid, object);
  }

 private:
  // For diagnostics; closed and silent unless opened. Made before the
  // engine and gone after it, whose threads may write to it.
  DebugLog log_;
  SpeechEngine engine_;
};

const ServerClass kOrvoxClasses[] = {
    {.clsid = CLSID_TTSEngine,
     .progId = u"Orvox.TTSEngine",
     .description = u"TTSEngine Class",
     .create = CreateComObject<CTTSEngine>,
     .aggregatable = true},
};

// Orvox's type library describes its classes only and is not registered.
constexpr StringResource kOrvoxStrings[] = {{100, u"Orvox"}, {101, u"TTSEngine Class"}};

}  // namespace

COM_SERVER_STRINGS(kOrvoxStrings)
COM_SERVER_EXPORTS(kOrvoxClasses)
