// The registry values with which an installation points the text-analysis
// server and the reader at the Russian linguistic data.
#pragma once

#include <string>

#include "platform/types.h"

struct RussianDataNames {
  std::u16string root;             // the data folder
  std::u16string stressBase;       // its sub-folder of the stress dictionary and 'ё' base
  std::u16string userStressBase;   // the user stress base file in it
  std::u16string stringResources;  // the string-resource file in it
  std::u16string maskBases;        // its sub-folder of the mask bases
};

// Writes, under HKEY_LOCAL_MACHINE, "SOFTWARE\Morvane\Russian" values Root,
// NewStressBase, UserStressBase, StringResources, MaskBases and Runemap (the
// Russian letter-to-phoneme class), and "Software\Morvane\Glossel Module\419"
// value UserStressBase (the same file as one path) and, unless the reader
// has already counted changes there, UserStressBaseGeneration = 0.
// ERROR_SUCCESS, or the first registry error.
LONG InstallRussianDataRegistry(const RussianDataNames& names);
