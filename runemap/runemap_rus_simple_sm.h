// The Russian letter-to-phoneme object: argument checks and result strings
// around one RusLetterConverter.
#pragma once

#include <string>
#include <vector>

#include "interfaces/runemap.h"
#include "platform/server.h"
#include "runemap/runemap_arguments.h"
#include "runemap/rus_letter_converter.h"

// Calls on one object must not overlap: the sub-language mode and the
// scratch buffers are read and written without a lock.
class CRunemapRusSimpleSm final
    : public ComObject<IRunemap, IRunemapInfo, IRunemapLang, IRunemap2> {
 public:
  HRESULT Convert(LPSTR Letters, LPSTR* Phonemes) override;
  HRESULT Convert2(LPSTR Letters, INT FullStress, INT* PartStresses, INT NumPartStresses,
                   LPSTR* Phonemes) override;
  HRESULT Convert(LPSTR Str, I1* Params, INT ParamsSize, LPSTR* Phonemes) override;
  HRESULT get_PhoneticId(I2* pVal) override;
  HRESULT SetLang(INT Val) override;

 private:
  RusLetterConverter converter_;
  StressedLetters stressed_;
  std::vector<std::string> parts_;
  std::string letters_;
  std::vector<uint8_t> flags_;
  std::string phonemes_;
};
