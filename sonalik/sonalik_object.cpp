#include "sonalik/sonalik_object.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

// A zero-terminated copy in task memory, or null when there is no memory.
LPSTR CopyToTaskMem(const std::string& text) {
  auto* copy = static_cast<LPSTR>(CoTaskMemAlloc(text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

HRESULT ReturnString(const std::string& text, LPSTR* out) {
  *out = CopyToTaskMem(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

template <typename T>
HRESULT ReturnArray(const std::vector<T>& values, T** out, INT* count) {
  *count = 0;
  *out = nullptr;
  if (values.empty()) return S_OK;
  auto* array = static_cast<T*>(CoTaskMemAlloc(values.size() * sizeof(T)));
  if (!array) return E_OUTOFMEMORY;
  std::memcpy(array, values.data(), values.size() * sizeof(T));
  *out = array;
  *count = static_cast<INT>(values.size());
  return S_OK;
}

// The conversions allocate; running out of memory must come back as an
// HRESULT, never as an exception through the interface.
template <typename Body>
HRESULT Guarded(Body body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

template <typename... Out>
void ClearOutputs(Out*... outs) {
  ((outs ? (void)(*outs = {}) : (void)0), ...);
}

}  // namespace

HRESULT CSonalik::LettersToPhonemes(LPSTR Letters, LPSTR* Phonemes) {
  ClearOutputs(Phonemes);
  if (!Letters || !Phonemes) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.LettersToPhonemes(Letters), Phonemes); });
}

HRESULT CSonalik::LettersToAllophones(LPSTR Letters, LPSTR* Allophones, LPSTR* Phonemes) {
  ClearOutputs(Allophones, Phonemes);
  if (!Letters || !Allophones) return E_INVALIDARG;
  return Guarded([&] {
    std::string phonemes;
    const std::string allophones = phonetics_.LettersToAllophones(Letters, &phonemes);
    if (Phonemes) {
      HRESULT hr = ReturnString(phonemes, Phonemes);
      if (FAILED(hr)) return hr;
    }
    HRESULT hr = ReturnString(allophones, Allophones);
    if (FAILED(hr) && Phonemes) {
      CoTaskMemFree(*Phonemes);
      *Phonemes = nullptr;
    }
    return hr;
  });
}

HRESULT CSonalik::PhonemesToAllophones(LPSTR Phonemes, LPSTR* Allophones) {
  ClearOutputs(Allophones);
  if (!Phonemes || !Allophones) return E_INVALIDARG;
  return Guarded([&] {
    const std::optional<std::string> allophones = phonetics_.PhonemesToAllophones(Phonemes);
    if (!allophones) return E_INVALIDARG;
    return ReturnString(*allophones, Allophones);
  });
}

HRESULT CSonalik::AllophonesToPhonemes(LPSTR Allophones, LPSTR* Phonemes) {
  ClearOutputs(Phonemes);
  if (!Allophones || !Phonemes) return E_INVALIDARG;
  return Guarded([&] {
    const std::optional<std::string> phonemes = phonetics_.AllophonesToPhonemes(Allophones);
    if (!phonemes) return E_INVALIDARG;
    return ReturnString(*phonemes, Phonemes);
  });
}

HRESULT CSonalik::AllophoneToPhoneme(LPSTR Allophone, LPSTR* Phoneme) {
  ClearOutputs(Phoneme);
  if (!Allophone || !Phoneme) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.AllophoneToPhoneme(Allophone), Phoneme); });
}

HRESULT CSonalik::GetSoundDescription(LPSTR Phoneme, I8* SD) {
  ClearOutputs(SD);
  if (!Phoneme || !SD) return E_INVALIDARG;
  return Guarded([&] {
    *SD = static_cast<I8>(phonetics_.GetSoundDescription(Phoneme));
    return S_OK;
  });
}

HRESULT CSonalik::GetSoundDescriptions(LPSTR Phonemes, I8** SDs, INT* Num) {
  ClearOutputs(SDs, Num);
  if (!Phonemes || !SDs || !Num) return E_INVALIDARG;
  return Guarded([&] {
    const std::optional<std::vector<SoundDescription>> info = phonetics_.GetSoundDescriptions(Phonemes);
    if (!info) return E_INVALIDARG;
    const std::vector<I8> values(info->begin(), info->end());
    return ReturnArray(values, SDs, Num);
  });
}

HRESULT CSonalik::SDtoString(I8 SD, LPSTR* Text) {
  ClearOutputs(Text);
  if (!Text) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.SDtoString(static_cast<SoundDescription>(SD)), Text); });
}

HRESULT CSonalik::GetPhonemeCode(LPSTR Phoneme, INT* Code) {
  ClearOutputs(Code);
  if (!Phoneme || !Code) return E_INVALIDARG;
  return Guarded([&] {
    *Code = phonetics_.GetPhonemeCode(Phoneme);
    return S_OK;
  });
}

HRESULT CSonalik::GetPhonemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) {
  ClearOutputs(Codes, Num);
  if (!Phonemes || !Codes || !Num) return E_INVALIDARG;
  return Guarded([&] { return ReturnArray(phonetics_.GetPhonemesCodes(Phonemes), Codes, Num); });
}

HRESULT CSonalik::GetPhonemeByCode(INT Code, LPSTR* Phoneme) {
  ClearOutputs(Phoneme);
  if (!Phoneme) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.GetPhonemeByCode(Code), Phoneme); });
}

HRESULT CSonalik::GetVisemeCode(LPSTR Phoneme, INT* Code) {
  ClearOutputs(Code);
  if (!Phoneme || !Code) return E_INVALIDARG;
  return Guarded([&] {
    *Code = phonetics_.GetVisemeCode(Phoneme);
    return S_OK;
  });
}

HRESULT CSonalik::GetVisemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) {
  ClearOutputs(Codes, Num);
  if (!Phonemes || !Codes || !Num) return E_INVALIDARG;
  return Guarded([&] { return ReturnArray(phonetics_.GetVisemesCodes(Phonemes), Codes, Num); });
}

HRESULT CSonalik::EnumPhonemes(LPSTR* Phonemes) {
  ClearOutputs(Phonemes);
  if (!Phonemes) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.EnumPhonemes(), Phonemes); });
}

HRESULT CSonalik::GetBasicAllophone(LPSTR Allophone, LPSTR* Basic) {
  ClearOutputs(Basic);
  if (!Allophone || !Basic) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.GetBasicAllophone(Allophone), Basic); });
}

HRESULT CSonalik::GetSubstituteAllophone(LPSTR Allophone, LPSTR* Substitute) {
  ClearOutputs(Substitute);
  if (!Allophone || !Substitute) return E_INVALIDARG;
  return Guarded([&] { return ReturnString(phonetics_.GetSubstituteAllophone(Allophone), Substitute); });
}

HRESULT CSonalik::SetDebugVerbosity(INT Level) {
  phonetics_.SetDebugVerbosity(Level);
  return S_OK;
}
