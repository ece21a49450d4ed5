// The parameter bytes that go with a word to IRunemap2::Convert.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

// `parts` joined by "+" is the word as the converter receives it; stresses
// are letter indexes over the parts' texts concatenated. The array is sized
// from the letters and parts the converter will count (it trims blanks,
// tabs and line feeds at the ends of parts and drops empty parts), so its
// size always matches; stresses on trimmed letters or outside the word are
// left out.
std::vector<I1> MakeRunemapParams(const std::vector<std::string>& parts, INT mainStress,
                                  const std::vector<INT>& secondary, bool opensSyntagma,
                                  bool closesSyntagma);
