#include "phonetic/phonetic_processor.h"

#include <string>

#include "foundation/code_pages.h"

namespace {

std::u16string FromBstr(BSTR text) {
  return text == nullptr ? std::u16string() : std::u16string(text, SysStringLen(text));
}

BSTR ToBstr(const std::u16string& text) {
  return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

BSTR NarrowToBstr(const std::string& text) { return ToBstr(NarrowToWide(text)); }

}  // namespace

HRESULT CPhoneticProcessor::get_Language(BSTR* pVal) {
  if (pVal == nullptr) return E_POINTER;
  const PhoneticProcessorCore::Language& language = core_.GetLanguage();
  *pVal = language ? ToBstr(*language) : nullptr;
  if (language && *pVal == nullptr) return E_OUTOFMEMORY;
  return S_OK;
}

HRESULT CPhoneticProcessor::put_Language(BSTR newVal) {
  PhoneticProcessorCore::Language value;
  if (newVal != nullptr) value = FromBstr(newVal);
  return core_.SetLanguage(value);
}

HRESULT CPhoneticProcessor::ToAllophones(BSTR Phonemes, BSTR* OutPhonemes, BSTR* Allophones) {
  if (OutPhonemes == nullptr || Allophones == nullptr) return E_POINTER;
  std::string phonemes, allophones;
  const HRESULT hr = core_.ToAllophones(WideToNarrow(FromBstr(Phonemes)), phonemes, allophones);
  if (hr != S_OK) return hr;
  BSTR outPhonemes = NarrowToBstr(phonemes);
  BSTR outAllophones = NarrowToBstr(allophones);
  if (outPhonemes == nullptr || outAllophones == nullptr) {
    SysFreeString(outPhonemes);
    SysFreeString(outAllophones);
    return E_OUTOFMEMORY;
  }
  *OutPhonemes = outPhonemes;
  *Allophones = outAllophones;
  return S_OK;
}

HRESULT CPhoneticProcessor::IsVowel(BSTR Name, I4* res) {
  if (res == nullptr) return E_INVALIDARG;
  *res = core_.Attributes(WideToNarrow(FromBstr(Name))).isVowel;
  return S_OK;
}

HRESULT CPhoneticProcessor::PhonemeCode(BSTR Name, INT* res) {
  if (res == nullptr) return E_INVALIDARG;
  *res = core_.Attributes(WideToNarrow(FromBstr(Name))).phonemeCode;
  return S_OK;
}

HRESULT CPhoneticProcessor::VisemeCode(BSTR Name, INT* res) {
  if (res == nullptr) return E_INVALIDARG;
  *res = core_.Attributes(WideToNarrow(FromBstr(Name))).visemeCode;
  return S_OK;
}
