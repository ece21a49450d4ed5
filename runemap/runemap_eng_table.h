// The English letter-to-phoneme object. Its rules file is named in the
// registry; without a loadable rules file the object is not created.
#pragma once

#include "interfaces/runemap.h"
#include "platform/server.h"

class CRunemapEngTable final : public ComObject<IRunemap> {
 public:
  HRESULT FinalConstruct();

  HRESULT Convert(LPSTR Letters, LPSTR* Phonemes) override;
  HRESULT Convert2(LPSTR Letters, INT FullStress, INT* PartStresses, INT NumPartStresses,
                   LPSTR* Phonemes) override;
};
