// Which unit names ordinary text asks for, and whether the voice has them
// directly, through the phonetics' substitute, or not at all.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tools/voice_build/front_end.h"
#include "tools/voice_build/stress_lexicon.h"

struct CoverageCount {
  std::set<std::string> direct, substituted, missing;
  size_t Requested() const { return direct.size() + substituted.size() + missing.size(); }
};

struct CoverageReport {
  CoverageCount wordsAlone;  // every word form of the lexicon said alone
  CoverageCount wordPairs;   // what two words side by side add at their joint
  CoverageCount sentences;   // the test sentences
  size_t words = 0;
  // Word forms whose phoneme list the phonetics refuses.
  std::vector<std::string> refusedWords;
};

using HasUnit = std::function<bool(const std::string&)>;

// Adds one requested name to the count.
void CountName(const std::string& name, const HasUnit& has, CoverageCount& count);

CoverageReport MeasureCoverage(const RussianFrontEnd& frontEnd, const StressLexicon& lexicon,
                               const std::vector<std::string>& sentences, const HasUnit& has);

// The report as text: shares and the missing names.
std::string FormatCoverage(const CoverageReport& report);
