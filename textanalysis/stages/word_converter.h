// The two letter-to-phoneme entry points the syntagma builder converts
// words with; the pipeline hands in its letter-to-phoneme object behind it.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

class WordConverter {
 public:
  // Boundary + letters + boundary, 1-based stresses (-1: no main stress).
  virtual bool Convert2(const std::string& letters, INT fullStress,
                        std::vector<INT> partStresses, std::string& phonemes) const = 0;
  // Parts joined by "+", with their parameter bytes.
  virtual bool Convert(const std::string& word, std::vector<I1> params,
                       std::string& phonemes) const = 0;

 protected:
  ~WordConverter() = default;
};
