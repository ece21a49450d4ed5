#include "engine/syntagma_phonemes.h"

#include <algorithm>

#include "foundation/string_utils.h"

std::string JoinSyntagmaPhonemes(const std::vector<std::string>& words) {
  std::string phonemes = "#,";
  for (size_t i = 0; i < words.size(); ++i) {
    if (i != 0) phonemes += ",_,";
    phonemes += words[i];
  }
  phonemes += ",#";
  return phonemes;
}

void StripEdgeMarks(std::string& allophones) {
  if (!allophones.empty() && (allophones.front() == '_' || allophones.front() == '#')) {
    allophones.erase(0, std::min<size_t>(2, allophones.size()));
  }
  if (!allophones.empty() && (allophones.back() == '_' || allophones.back() == '#')) {
    allophones.erase(allophones.size() - std::min<size_t>(2, allophones.size()));
  }
}

std::vector<std::string> SplitSyntagmaAllophones(std::string allophones) {
  StripEdgeMarks(allophones);
  ReplaceAll(allophones, ",_,", "+");
  std::vector<std::string> parts;
  SplitByChar(allophones, parts, '+');
  return parts;
}
