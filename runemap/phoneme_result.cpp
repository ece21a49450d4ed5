#include "runemap/phoneme_result.h"

#include <cstring>

#include "platform/com.h"

HRESULT ReturnPhonemes(const std::string& phonemes, LPSTR* result) {
  *result = nullptr;
  if (phonemes.empty()) return S_FALSE;
  auto* copy = static_cast<char*>(CoTaskMemAlloc(phonemes.size() + 1));
  if (copy == nullptr) return E_OUTOFMEMORY;
  std::memcpy(copy, phonemes.c_str(), phonemes.size() + 1);
  *result = copy;
  return S_OK;
}
