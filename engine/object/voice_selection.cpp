// SetVoice: the voice database, and the language components its kind and
// language need.
#include "engine/object/speech_engine.h"

#include "engine/object/guarded_call.h"
#include "engine/voices/voice_registry.h"
#include "foundation/code_pages.h"
#include "foundation/registry_string.h"

namespace {

constexpr INT kVoiceKindRussianPhonetics = 1;
constexpr INT kVoiceKindNoSubLanguage = 2;

// Frees the BSTR on every path.
class Bstr {
 public:
  explicit Bstr(const std::string& text) : value_(SysAllocString(NarrowToWide(text).c_str())) {}
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return value_; }

 private:
  BSTR value_;
};

}  // namespace

HRESULT SpeechEngine::SetVoice(const char* voiceName) {
  std::string name = voiceName != nullptr ? voiceName : "";
  HRESULT result = GuardedCall([&] {
    ScopedLock lock(stateLock_);
    HRESULT selected = GuardedCall([&] { return SelectVoice(name); });
    // Whatever went wrong, the engine is left without a voice.
    if (FAILED(selected)) voicePath_.clear();
    return selected;
  });
  if (SUCCEEDED(result)) events_.Queue(TE_VoiceChanged, 0, 0);
  return result;
}

HRESULT SpeechEngine::SelectVoice(const std::string& name) {
  StopPipeline();
  flag_ = 0;
  voicePath_ = GetVoicePath(name);
  std::string lang = GetVoiceLang(name);
  // The language is forgotten first, so every voice with a language sets
  // up its components anew.
  language_.clear();
  const bool newLanguage = !lang.empty();
  if (voicePath_.empty()) return E_FAIL;
  CLSID textAnalysisClass = GetLanguageClsid(lang);

  HRESULT result = voice_.Load(NarrowToWide(voicePath_));
  if (FAILED(result)) return result;

  if (voice_.VoiceKind() == kVoiceKindRussianPhonetics) {
    result = CreateRussianPhonetics(lang);
  } else {
    result = CreatePhoneticProcessor(lang, newLanguage);
  }
  if (FAILED(result)) return result;

  if (newLanguage) {
    result = CreateTextAnalysis(textAnalysisClass);
    if (FAILED(result)) return result;
  } else {
    // A voice without a language has no text analysis.
    textAnalysis_.Reset();
    inner_.Reset();
  }
  result = SetSubLanguage(newLanguage);
  if (FAILED(result)) return result;
  language_ = lang;
  return S_OK;
}

HRESULT SpeechEngine::CreatePhoneticProcessor(const std::string& lang, bool newLanguage) {
  if (!phoneConverter_) {
    HRESULT created =
        seams_.create(CLSID_PhoneticProcessor, IID_IPMPhoneConverter, phoneConverter_.PutVoid());
    if (FAILED(created)) {
      phoneConverter_.Reset();
      return created;
    }
  }
  if (!newLanguage) return S_OK;
  ComPtr<IPMControl> control;
  HRESULT result = phoneConverter_.As(control);
  if (FAILED(result)) return result;
  Bstr language(lang);
  return control->put_Language(language.Get());
}

HRESULT SpeechEngine::CreateRussianPhonetics(const std::string& lang) {
  phonetic_.Reset();
  heldNames_.clear();
  std::string text;
  if (!ReadRegistryString(text, HKEY_LOCAL_MACHINE, "Software\\Morvane\\Phonetic\\" + lang,
                          "CLSID")) {
    // The voice's units cannot be reached without its phonetics.
    return REGDB_E_CLASSNOTREG;
  }
  CLSID clsid{};
  HRESULT result = CLSIDFromString(NarrowToWide(text).c_str(), &clsid);
  if (FAILED(result)) return result;
  result = seams_.create(clsid, IID_IPhonetic, phonetic_.PutVoid());
  if (FAILED(result)) phonetic_.Reset();
  return result;
}

HRESULT SpeechEngine::CreateTextAnalysis(const CLSID& clsid) {
  textAnalysis_.Reset();
  inner_.Reset();
  HRESULT result = seams_.create(clsid, IID_ILMPrepToSpeak2, textAnalysis_.PutVoid());
  if (FAILED(result)) textAnalysis_.Reset();
  return result;
}

HRESULT SpeechEngine::SetSubLanguage(bool newLanguage) {
  if (!textAnalysis_) return S_OK;
  ComPtr<ILMSubLang> subLanguage;
  if (SUCCEEDED(textAnalysis_.As(subLanguage))) {
    INT kind = voice_.VoiceKind();
    if (kind != kVoiceKindNoSubLanguage) {
      HRESULT result = subLanguage->SetLang(kind);
      if (FAILED(result)) return result;
    }
  }
  if (newLanguage) {
    IUnknown* inner = nullptr;
    if (SUCCEEDED(textAnalysis_->QueryInterface(IID_TTSAggregatedInner,
                                                reinterpret_cast<void**>(&inner)))) {
      *inner_.Put() = inner;
    }
  }
  return S_OK;
}
