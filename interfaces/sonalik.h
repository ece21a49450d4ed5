// The Russian phonetics server: class Sonalik with IPhonetic. Strings are
// 8-bit Windows-1251; every string or array handed out is allocated with
// CoTaskMemAlloc and belongs to the caller.
#pragma once

#include "platform/com.h"

struct IPhonetic : IUnknown {
  virtual HRESULT LettersToPhonemes(LPSTR Letters, LPSTR* Phonemes) = 0;
  virtual HRESULT LettersToAllophones(LPSTR Letters, LPSTR* Allophones, LPSTR* Phonemes) = 0;
  virtual HRESULT PhonemesToAllophones(LPSTR Phonemes, LPSTR* Allophones) = 0;
  virtual HRESULT AllophonesToPhonemes(LPSTR Allophones, LPSTR* Phonemes) = 0;
  virtual HRESULT AllophoneToPhoneme(LPSTR Allophone, LPSTR* Phoneme) = 0;
  virtual HRESULT GetSoundDescription(LPSTR Phoneme, I8* SD) = 0;
  virtual HRESULT GetSoundDescriptions(LPSTR Phonemes, I8** SDs, INT* Num) = 0;
  virtual HRESULT SDtoString(I8 SD, LPSTR* Text) = 0;
  virtual HRESULT GetPhonemeCode(LPSTR Phoneme, INT* Code) = 0;
  virtual HRESULT GetPhonemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) = 0;
  virtual HRESULT GetPhonemeByCode(INT Code, LPSTR* Phoneme) = 0;
  virtual HRESULT GetVisemeCode(LPSTR Phoneme, INT* Code) = 0;
  virtual HRESULT GetVisemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) = 0;
  virtual HRESULT EnumPhonemes(LPSTR* Phonemes) = 0;
  virtual HRESULT GetBasicAllophone(LPSTR Allophone, LPSTR* Basic) = 0;
  virtual HRESULT GetSubstituteAllophone(LPSTR Allophone, LPSTR* Substitute) = 0;
  virtual HRESULT SetDebugVerbosity(INT Level) = 0;
};
COM_INTERFACE_ID(IPhonetic, "85F5A225-F6E0-4F79-90F6-7EFE6327FC7C");

inline constexpr CLSID CLSID_Sonalik = GuidFromText("B9D3E5A2-F1E1-4573-BA91-C66D5EE3E5DE");
