#include "runemap/runemap_rus_simple_sm.h"

#include "runemap/phoneme_result.h"

namespace {
// Identifier of the phoneme set this converter writes.
constexpr I2 kRussianPhoneticId = 3;
}  // namespace

HRESULT CRunemapRusSimpleSm::Convert(LPSTR Letters, LPSTR* Phonemes) {
  if (Letters == nullptr || Phonemes == nullptr) return E_INVALIDARG;
  *Phonemes = nullptr;
  if (const HRESULT hr = ParseMarkedLetters(Letters, stressed_); hr != S_OK) return hr;
  converter_.ConvertRusWordStress(stressed_.letters, stressed_.mainStress, stressed_.secondary,
                                  phonemes_);
  return ReturnPhonemes(phonemes_, Phonemes);
}

HRESULT CRunemapRusSimpleSm::Convert2(LPSTR Letters, INT FullStress, INT* PartStresses,
                                      INT NumPartStresses, LPSTR* Phonemes) {
  if (Letters == nullptr || Phonemes == nullptr) return E_INVALIDARG;
  if (const HRESULT hr = CheckStressPositions(FullStress, PartStresses, NumPartStresses, stressed_);
      hr != S_OK)
    return hr;
  *Phonemes = nullptr;
  if (const HRESULT hr = TakeFramedLetters(Letters, stressed_); hr != S_OK) return hr;
  if (const HRESULT hr = CheckPositionsInWord(stressed_); hr != S_OK) return hr;
  converter_.ConvertRusWordStress(stressed_.letters, stressed_.mainStress, stressed_.secondary,
                                  phonemes_);
  return ReturnPhonemes(phonemes_, Phonemes);
}

HRESULT CRunemapRusSimpleSm::Convert(LPSTR Str, I1* Params, INT ParamsSize, LPSTR* Phonemes) {
  if (Str == nullptr || Params == nullptr || ParamsSize <= 0 || Phonemes == nullptr)
    return E_INVALIDARG;
  *Phonemes = nullptr;
  if (const HRESULT hr = BuildLetterFlags(Str, Params, ParamsSize, parts_, letters_, flags_);
      hr != S_OK)
    return hr;
  converter_.ConvertRusWord(letters_, flags_, phonemes_);
  return ReturnPhonemes(phonemes_, Phonemes);
}

HRESULT CRunemapRusSimpleSm::get_PhoneticId(I2* pVal) {
  if (pVal == nullptr) return E_POINTER;
  *pVal = kRussianPhoneticId;
  return S_OK;
}

HRESULT CRunemapRusSimpleSm::SetLang(INT Val) {
  converter_.SetMode(Val);
  return S_OK;
}
