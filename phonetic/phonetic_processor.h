// The COM object of the phonetic processor: argument checks and string
// conversions around PhoneticProcessorCore.
#pragma once

#include "interfaces/tonvar.h"
#include "phonetic/debug_log.h"
#include "phonetic/phonetic_processor_core.h"
#include "platform/server.h"

class CPhoneticProcessor final
    : public ComObject<IPMControl, IPMPhoneConverter, IPMPhoneAttribute> {
 public:
  HRESULT get_Language(BSTR* pVal) override;
  HRESULT put_Language(BSTR newVal) override;

  HRESULT ToAllophones(BSTR Phonemes, BSTR* OutPhonemes, BSTR* Allophones) override;

  HRESULT IsVowel(BSTR Name, I4* res) override;
  HRESULT VisemeCode(BSTR Name, INT* res) override;
  HRESULT PhonemeCode(BSTR Name, INT* res) override;

 private:
  PhoneticProcessorCore core_;
  // For diagnostics; closed and silent unless opened.
  DebugLog log_;
};
