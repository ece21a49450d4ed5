#include "phonetic/phonetic_eng.h"

std::vector<std::string> PhoneticEng::PhonemesToAllophones(
    const std::vector<std::string>& /*phonemes*/) const {
  return {};
}

uint64_t PhoneticEng::GetSD(const std::string& /*name*/) const { return 0; }
