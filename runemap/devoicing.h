// Devoicing of "Z" and "ZH" by the consonants that follow them in a joined
// phoneme string. The look-ahead never reads past the end of the string.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using PhonemeTest = std::function<bool(std::string_view name)>;

struct DevoicingRules {
  // ",Z," becomes ",S," when the next phoneme passes `zNext` and the one
  // after it passes `zAfterNext`, or is missing and `zAfterNextMayBeMissing`.
  PhonemeTest zNext;
  PhonemeTest zAfterNext;
  bool zAfterNextMayBeMissing = false;
  // ",ZH," becomes ",SH," when the next phoneme passes `zhNext`.
  PhonemeTest zhNext;
};

void DevoiceZ(std::string& phonemes, const DevoicingRules& rules);
void DevoiceZh(std::string& phonemes, const DevoicingRules& rules);
