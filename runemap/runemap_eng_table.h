// The English letter-to-phoneme object. Its rules file is named in the
// registry; without a loadable rules file the object is not created.
#pragma once

#include <string>
#include <vector>

#include "interfaces/runemap.h"
#include "platform/server.h"
#include "runemap/letter_rule_base.h"
#include "runemap/runemap_arguments.h"

class CRunemapEngTable final : public ComObject<IRunemap> {
 public:
  HRESULT FinalConstruct();

  HRESULT Convert(LPSTR Letters, LPSTR* Phonemes) override;
  HRESULT Convert2(LPSTR Letters, INT FullStress, INT* PartStresses, INT NumPartStresses,
                   LPSTR* Phonemes) override;

 private:
  LetterRuleBase rules_;
  // Scratch space of one conversion.
  StressedLetters stressed_;
  std::string framed_;
  std::vector<std::string> tokens_;
  std::string phonemes_;
};
