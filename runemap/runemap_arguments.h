// Argument checks of the letter-to-phoneme interface methods, turning their
// inputs into letters with stresses for the word converter. Each returns
// S_OK, S_FALSE (empty input) or E_INVALIDARG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

struct StressedLetters {
  std::string letters;
  int32_t mainStress = -1;  // 0-based, -1 none
  std::vector<int32_t> secondary;
};

// "#мо-локо+#": boundary, letters with '+' / '-' after stressed vowels,
// boundary. Letters are lowered.
HRESULT ParseMarkedLetters(const char* text, StressedLetters& out);

// Boundary + letters + boundary with 1-based stress positions. The letters
// are taken as they are. `parts` may be null only when `partCount` is 0.
HRESULT CheckStressPositions(INT fullStress, const INT* parts, INT partCount,
                             StressedLetters& out);
HRESULT TakeFramedLetters(const char* text, StressedLetters& out);
// Every position inside the letters, and no secondary one on the main one.
HRESULT CheckPositionsInWord(const StressedLetters& word);

// Str with '+' between parts and its parameter bytes, to the joined letters
// and one flag byte per letter. `parts` is scratch space.
HRESULT BuildLetterFlags(const char* str, const I1* params, INT paramsSize,
                         std::vector<std::string>& parts, std::string& letters,
                         std::vector<uint8_t>& flags);
