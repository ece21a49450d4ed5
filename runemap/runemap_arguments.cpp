#include "runemap/runemap_arguments.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "runemap/rus_letter_converter.h"

namespace {

bool IsBoundary(char c) { return c == '#' || c == '_'; }

// Length and boundaries of a framed word; S_OK when there are letters
// between two boundaries.
HRESULT CheckFrame(const char* text, size_t& length) {
  length = std::strlen(text);
  if (length == 0) return S_FALSE;
  if (length <= 2) return E_INVALIDARG;
  if (!IsBoundary(text[0]) || !IsBoundary(text[length - 1])) return E_INVALIDARG;
  return S_OK;
}

}  // namespace

HRESULT ParseMarkedLetters(const char* text, StressedLetters& out) {
  out.letters.clear();
  out.mainStress = -1;
  out.secondary.clear();
  size_t length = 0;
  if (const HRESULT hr = CheckFrame(text, length); hr != S_OK) return hr;

  for (size_t i = 1; i + 1 < length; ++i) {
    const char c = text[i];
    // a mark must follow a vowel letter inside the frame
    const bool afterVowel = i > 1 && IsRusVowel(text[i - 1]);
    const auto lastLetter = static_cast<int32_t>(out.letters.size()) - 1;
    if (IsRusLetter(c)) {
      out.letters += static_cast<char>(RusToLower(c));
    } else if (c == '+' && afterVowel && out.mainStress == -1) {
      out.mainStress = lastLetter;
    } else if (c == '-' && afterVowel) {
      out.secondary.push_back(lastLetter);
    } else {
      return E_INVALIDARG;
    }
  }
  return S_OK;
}

HRESULT CheckStressPositions(INT fullStress, const INT* parts, INT partCount,
                             StressedLetters& out) {
  if (partCount < 0 || (partCount > 0 && parts == nullptr)) return E_INVALIDARG;
  // 64-bit so that the extreme values cannot wrap
  const int64_t main = fullStress == -1 ? -1 : int64_t{fullStress} - 1;
  if (main < -1) return E_INVALIDARG;
  out.mainStress = static_cast<int32_t>(main);
  out.secondary.clear();
  for (INT k = 0; k < partCount; ++k) {
    const int64_t position = int64_t{parts[k]} - 1;
    if (position < 0) return E_INVALIDARG;
    out.secondary.push_back(static_cast<int32_t>(position));
  }
  return S_OK;
}

HRESULT TakeFramedLetters(const char* text, StressedLetters& out) {
  out.letters.clear();
  size_t length = 0;
  if (const HRESULT hr = CheckFrame(text, length); hr != S_OK) return hr;
  out.letters.assign(text + 1, length - 2);
  return S_OK;
}

HRESULT CheckPositionsInWord(const StressedLetters& word) {
  const auto count = static_cast<int64_t>(word.letters.size());
  if (word.mainStress >= count) return E_INVALIDARG;
  for (int32_t position : word.secondary) {
    if (position >= count || position == word.mainStress) return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT BuildLetterFlags(const char* str, const I1* params, INT paramsSize,
                         std::vector<std::string>& parts, std::string& letters,
                         std::vector<uint8_t>& flags) {
  SplitByChar(str, parts, '+');
  if (parts.empty()) return E_INVALIDARG;
  letters.clear();
  for (const std::string& part : parts) letters += part;
  const int64_t count = static_cast<int64_t>(letters.size());
  const int64_t partCount = static_cast<int64_t>(parts.size());
  if (int64_t{paramsSize} != 2 * (count + 1) + partCount) return E_INVALIDARG;

  const I1* mainBytes = params;
  const I1* secondaryBytes = params + count;
  const I1* partBytes = params + 2 * count + 2;
  flags.assign(letters.size(), 0);
  bool afterMain = false;
  size_t i = 0;
  for (size_t j = 0; j < parts.size(); ++j) {
    const bool partFlag = (partBytes[j] & 1) != 0;
    for (size_t end = i + parts[j].size(); i < end; ++i) {
      if (!IsRusVowel(letters[i])) continue;
      uint8_t f;
      if (mainBytes[i] == 1) {
        f = letter_flag::kMainStress;
        afterMain = true;
      } else if (secondaryBytes[i] == 1) {
        f = letter_flag::kSecondaryStress;
      } else {
        f = afterMain ? letter_flag::kAfterStress : letter_flag::kBeforeStress;
      }
      if (partFlag) f |= letter_flag::kPart;
      flags[i] = f;
    }
  }
  return S_OK;
}
