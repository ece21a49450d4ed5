// A sentence's result as the pipeline keeps it until the server copies it
// out: syntagmas of words with their phoneme strings.
#pragma once

#include <string>
#include <vector>

#include "interfaces/glossel.h"

struct OutputWord {
  std::string phonemes;
  std::string letters;
  _eLMPosInSyntagma position = MiddleInSyntagma;
  Interval itvl;
};

struct OutputSyntagma {
  _eLMSyntagmaType type = OrthographicSyntagma;
  _eLMSyntagmaEnd endSign = SE_None;
  std::vector<OutputWord> words;
  std::string tone;
};
