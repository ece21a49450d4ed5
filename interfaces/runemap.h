// Letter-to-phoneme server: classes and interfaces.
//
// Strings are 8-bit Windows-1251 and stay owned by the caller; a returned
// phoneme string comes from CoTaskMemAlloc and is freed by the caller with
// CoTaskMemFree. An empty result is S_FALSE with a null string.
#pragma once

#include "platform/com.h"

// Russian conversion with given stresses: IRunemap, IRunemapInfo,
// IRunemapLang, IRunemap2. ProgID "Runemap.RunemapRusSimpleSm.1".
inline constexpr CLSID CLSID_RunemapRusSimpleSm =
    GuidFromText("AAC0577E-969B-4545-BB63-054568E4C600");
// English conversion by rules file: IRunemap only. ProgID
// "Runemap.RunemapEngTable.1".
inline constexpr CLSID CLSID_RunemapEngTable = GuidFromText("E777CA29-4DF7-4B60-8981-3587810B7099");

// Declared by the type library, served by no object.
inline constexpr CLSID CLSID_RunemapRusSimple = GuidFromText("4A6F7CA8-2240-4758-B2A2-7BBB93750AC4");
inline constexpr CLSID CLSID_RunemapRusTable = GuidFromText("C34AA855-E7EF-4BFF-AD66-D744322596B7");
inline constexpr CLSID CLSID_RunemapBlrTable = GuidFromText("DEF44216-96EC-4F58-AFAF-2B7EDFE38E96");
inline constexpr CLSID CLSID_RunemapRusTableSm = GuidFromText("C5C4AC45-D14E-4ABE-B84D-D14FC55E0C40");

// "Преобразование букв в фонемы"
struct IRunemap : IUnknown {
  // "Ударения проставлены + и -": Letters is a boundary ('#' or '_'), the
  // letters with '+' after the main-stressed vowel and '-' after each
  // secondary-stressed one, and a boundary.
  virtual HRESULT Convert(LPSTR Letters, LPSTR* Phonemes) = 0;
  // "Ударения передаются напрямую": boundary + letters + boundary; stresses
  // as 1-based letter positions, FullStress -1 for none.
  virtual HRESULT Convert2(LPSTR Letters, INT FullStress, INT* PartStresses,
                           INT NumPartStresses, LPSTR* Phonemes) = 0;
};
COM_INTERFACE_ID(IRunemap, "CC00A5FE-0E43-4D89-B8FB-9A910769679F");

// "Информация о преобразователе."
struct IRunemapInfo : IUnknown {
  // "Глобальный ID фонетической модели, с которой работает преобразователь"
  virtual HRESULT get_PhoneticId(I2* pVal) = 0;
};
COM_INTERFACE_ID(IRunemapInfo, "4FD9B082-A844-4763-8A86-360CE07EFEBD");

// "Установка языка"
struct IRunemapLang : IUnknown {
  // "Устанавливает язык": the sub-language mode (0 by default; 1 and 2).
  virtual HRESULT SetLang(INT Val) = 0;
};
COM_INTERFACE_ID(IRunemapLang, "13E4F561-D8FA-4242-89FC-BF7CFC0EF554");

// "Новый интерфейс для преобразования буква-фонема"
struct IRunemap2 : IUnknown {
  // "Преобразование буква-фонема": Str holds the small letters of the word,
  // its parts joined by '+'. Params is the RunemapParams byte array of
  // 2 * (L + 1) + P bytes for L letters and P parts:
  //   [0, L)        1 = the letter carries the main stress
  //   [L, 2L)       1 = the letter carries a secondary stress
  //   2L, 2L + 1    the word opens / closes its syntagma (not read)
  //   2L + 2 + j    part j; bit 0 marks the vowels of the part
  virtual HRESULT Convert(LPSTR Str, I1* Params, INT ParamsSize, LPSTR* Phonemes) = 0;
};
COM_INTERFACE_ID(IRunemap2, "230738A3-5642-4F1B-BCC5-487D1FCE2E4A");

// Size of the IRunemap2::Convert parameter array for a word of `letters`
// letters in `parts` parts.
constexpr INT RunemapParamsSize(INT letters, INT parts) { return 2 * (letters + 1) + parts; }
