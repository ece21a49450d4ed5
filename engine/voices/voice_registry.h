// Readers of the installed voices and of the language components, from the
// local machine's registry. Names, paths and language codes are 8-bit
// Windows-1251 text.
#pragma once

#include <string>
#include <vector>

#include "platform/com.h"
#include "platform/types.h"

// The subkey names under Software\Morvane\Voices, in registry order. 0 on
// success, else the error of opening the key (the list is then empty).
LONG GetVoiceNames(std::vector<std::string>& names);

// The voice's `Path` value, or "".
std::string GetVoicePath(const std::string& voiceName);

// The voice's `Lang` value, or "".
std::string GetVoiceLang(const std::string& voiceName);

// The `CLSID` value under Software\Morvane\Glossel Module\<lang>, or
// GUID_NULL when it is missing or not a class identifier.
CLSID GetLanguageClsid(const std::string& lang);
