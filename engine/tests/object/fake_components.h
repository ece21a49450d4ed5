// Small stand-ins for the language components the engine creates: a text
// analysis that hands out scripted sentences, a phonetic processor and a
// Russian phonetics object that pass phonemes through as allophones. Each
// records what the engine asked of it.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "interfaces/glossel.h"
#include "interfaces/sonalik.h"
#include "interfaces/tonvar.h"
#include "platform/server.h"

struct ScriptWord {
  std::string phonemes;
  uint64_t start;
  uint32_t size;
};

struct ScriptSyntagma {
  _eLMSyntagmaEnd end;
  std::vector<ScriptWord> words;
};

using ScriptSentence = std::vector<ScriptSyntagma>;

inline char* TaskString(const std::string& text) {
  auto* copy = static_cast<char*>(CoTaskMemAlloc(text.size() + 1));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// PushText makes the script's sentences current, whatever the text.
class FakeTextAnalysis final : public ComObject<ILMPrepToSpeak2, ILMSubLang, ILMControl> {
 public:
  std::vector<ScriptSentence> script;
  std::vector<std::string> pushed;
  std::vector<INT> subLanguages;
  int resets = 0;
  size_t held = 0;
  size_t current = 0;

  HRESULT PushText(LPSTR text, MarkupInfo*, INT) override {
    pushed.push_back(text != nullptr ? text : "");
    held = script.size();
    return S_OK;
  }
  HRESULT PopSentence(Syntagma2** syntagmas, INT* count, I4* hasMore) override {
    *syntagmas = nullptr;
    *count = 0;
    *hasMore = 0;
    if (current >= held) return S_OK;
    const ScriptSentence& sentence = script[current++];
    *hasMore = current < held ? 1 : 0;
    if (sentence.empty()) return S_OK;
    auto* array = static_cast<Syntagma2*>(CoTaskMemAlloc(sizeof(Syntagma2) * sentence.size()));
    for (size_t i = 0; i < sentence.size(); ++i) {
      const ScriptSyntagma& source = sentence[i];
      Syntagma2& target = array[i];
      target.type = OrthographicSyntagma;
      target.inton_sign = source.end;
      target.num_words = static_cast<INT>(source.words.size());
      target.words = static_cast<SyntagmaWord2*>(
          CoTaskMemAlloc(sizeof(SyntagmaWord2) * (source.words.empty() ? 1 : source.words.size())));
      for (size_t w = 0; w < source.words.size(); ++w) {
        SyntagmaWord2& word = target.words[w];
        word.str = TaskString(source.words[w].phonemes);
        word.raw_text = TaskString("w");
        word.synt_pos = MiddleInSyntagma;
        word.word_itvl.start = source.words[w].start;
        word.word_itvl.size = source.words[w].size;
      }
    }
    *syntagmas = array;
    *count = static_cast<INT>(sentence.size());
    return S_OK;
  }
  HRESULT Reset() override {
    ++resets;
    held = 0;
    current = 0;
    return S_OK;
  }
  HRESULT Skip(LPSTR, I4 count, I4* skipped) override {
    size_t target = std::min<size_t>(held, current + static_cast<size_t>(std::max<I4>(count, 0)));
    *skipped = static_cast<I4>(target - current);
    current = target;
    return S_OK;
  }
  HRESULT get_CurPos(UI4* value) override {
    *value = static_cast<UI4>(current);
    return S_OK;
  }
  HRESULT put_CurPos(UI4) override { return E_NOTIMPL; }
  HRESULT get_SentenceCount(UI4* value) override {
    *value = static_cast<UI4>(held);
    return S_OK;
  }
  HRESULT Clear() override { return E_NOTIMPL; }
  HRESULT GetSentenceStamp(UI4 index, Interval*) override {
    return index < held ? S_OK : E_INVALIDARG;
  }
  HRESULT SetLang(INT value) override {
    subLanguages.push_back(value);
    return S_OK;
  }
  HRESULT GetCodePage(INT* codePage) override {
    *codePage = 1251;
    return S_OK;
  }
  HRESULT ReloadUserBase() override { return S_OK; }
};

// Allophones are the phonemes as given.
class FakePhoneConverter final : public ComObject<IPMPhoneConverter, IPMControl> {
 public:
  std::vector<std::u16string> inputs;
  std::u16string language;

  HRESULT ToAllophones(BSTR phonemes, BSTR* outPhonemes, BSTR* allophones) override {
    inputs.emplace_back(phonemes, SysStringLen(phonemes));
    *outPhonemes = SysAllocString(phonemes);
    *allophones = SysAllocString(phonemes);
    return S_OK;
  }
  HRESULT get_Language(BSTR* value) override {
    *value = SysAllocString(language.c_str());
    return S_OK;
  }
  HRESULT put_Language(BSTR value) override {
    language.assign(value, SysStringLen(value));
    return S_OK;
  }
};

// Allophones are the phonemes as given; a string holding "FAIL" or a name
// outside the inventory (O1, O2) fails.
class FakePhonetic final : public ComObject<IPhonetic> {
 public:
  std::vector<std::string> inputs;

  static bool Held(const std::string& name) { return name != "O1" && name != "O2"; }

  HRESULT PhonemesToAllophones(LPSTR phonemes, LPSTR* allophones) override {
    inputs.emplace_back(phonemes);
    *allophones = nullptr;
    if (inputs.back().find("FAIL") != std::string::npos) return E_FAIL;
    std::string list = inputs.back() + ",";
    for (size_t start = 0, end; (end = list.find(',', start)) != std::string::npos; start = end + 1)
      if (!Held(list.substr(start, end - start))) return E_INVALIDARG;
    *allophones = TaskString(phonemes);
    return S_OK;
  }
  HRESULT GetSoundDescription(LPSTR phoneme, I8* description) override {
    *description = Held(phoneme) ? 1 : 0;
    return S_OK;
  }
  HRESULT GetSubstituteAllophone(LPSTR, LPSTR* substitute) override {
    *substitute = TaskString("");
    return S_OK;
  }
  HRESULT LettersToPhonemes(LPSTR, LPSTR*) override { return E_NOTIMPL; }
  HRESULT LettersToAllophones(LPSTR, LPSTR*, LPSTR*) override { return E_NOTIMPL; }
  HRESULT AllophonesToPhonemes(LPSTR, LPSTR*) override { return E_NOTIMPL; }
  HRESULT AllophoneToPhoneme(LPSTR, LPSTR*) override { return E_NOTIMPL; }
  HRESULT GetSoundDescriptions(LPSTR, I8**, INT*) override { return E_NOTIMPL; }
  HRESULT SDtoString(I8, LPSTR*) override { return E_NOTIMPL; }
  HRESULT GetPhonemeCode(LPSTR, INT*) override { return E_NOTIMPL; }
  HRESULT GetPhonemesCodes(LPSTR, INT**, INT*) override { return E_NOTIMPL; }
  HRESULT GetPhonemeByCode(INT, LPSTR*) override { return E_NOTIMPL; }
  HRESULT GetVisemeCode(LPSTR, INT*) override { return E_NOTIMPL; }
  HRESULT GetVisemesCodes(LPSTR, INT**, INT*) override { return E_NOTIMPL; }
  HRESULT EnumPhonemes(LPSTR*) override { return E_NOTIMPL; }
  HRESULT GetBasicAllophone(LPSTR, LPSTR*) override { return E_NOTIMPL; }
  HRESULT SetDebugVerbosity(INT) override { return E_NOTIMPL; }
};
