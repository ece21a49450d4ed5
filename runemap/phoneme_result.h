// Hands a phoneme string to the caller in task memory.
#pragma once

#include <string>

#include "platform/types.h"

// S_FALSE and a null result for an empty string; E_OUTOFMEMORY when the
// copy cannot be allocated.
HRESULT ReturnPhonemes(const std::string& phonemes, LPSTR* result);
