// The COM object behind class Sonalik: argument checks, result copies in
// task memory, and HRESULTs around SonalikPhonetics.
#pragma once

#include "interfaces/sonalik.h"
#include "platform/server.h"
#include "sonalik/sonalik_phonetics.h"

class CSonalik final : public ComObject<IPhonetic> {
 public:
  HRESULT LettersToPhonemes(LPSTR Letters, LPSTR* Phonemes) override;
  HRESULT LettersToAllophones(LPSTR Letters, LPSTR* Allophones, LPSTR* Phonemes) override;
  HRESULT PhonemesToAllophones(LPSTR Phonemes, LPSTR* Allophones) override;
  HRESULT AllophonesToPhonemes(LPSTR Allophones, LPSTR* Phonemes) override;
  HRESULT AllophoneToPhoneme(LPSTR Allophone, LPSTR* Phoneme) override;
  HRESULT GetSoundDescription(LPSTR Phoneme, I8* SD) override;
  HRESULT GetSoundDescriptions(LPSTR Phonemes, I8** SDs, INT* Num) override;
  HRESULT SDtoString(I8 SD, LPSTR* Text) override;
  HRESULT GetPhonemeCode(LPSTR Phoneme, INT* Code) override;
  HRESULT GetPhonemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) override;
  HRESULT GetPhonemeByCode(INT Code, LPSTR* Phoneme) override;
  HRESULT GetVisemeCode(LPSTR Phoneme, INT* Code) override;
  HRESULT GetVisemesCodes(LPSTR Phonemes, INT** Codes, INT* Num) override;
  HRESULT EnumPhonemes(LPSTR* Phonemes) override;
  HRESULT GetBasicAllophone(LPSTR Allophone, LPSTR* Basic) override;
  HRESULT GetSubstituteAllophone(LPSTR Allophone, LPSTR* Substitute) override;
  HRESULT SetDebugVerbosity(INT Level) override;

 private:
  SonalikPhonetics phonetics_;
};
