#include "tools/voice_build/coverage.h"

#include <cstdio>
#include <map>

#include "foundation/string_utils.h"
#include "sonalik/allophone_rules.h"
#include "textanalysis/stages/cross_word_rules.h"

void CountName(const std::string& name, const HasUnit& has, CoverageCount& count) {
  if (has(name))
    count.direct.insert(name);
  else if (has(AllophoneRuleProcessor::GetSubstituteAllophone(name)))
    count.substituted.insert(name);
  else
    count.missing.insert(name);
}

CoverageReport MeasureCoverage(const RussianFrontEnd& frontEnd, const StressLexicon& lexicon,
                               const std::vector<std::string>& sentences, const HasUnit& has) {
  CoverageReport report;
  // Words alone, and one representative per word end and per word start:
  // the joint of two words depends only on the last phoneme of the first
  // and the first two of the second.
  std::map<std::string, std::string> ends, starts;
  for (const auto& word : lexicon.Words()) {
    for (int number : *lexicon.Find(word)) {
      const std::string phonemes = frontEnd.WordPhonemes(word, VowelLetterIndex(word, number));
      if (phonemes.empty()) continue;
      ++report.words;
      std::vector<std::vector<std::string>> allophones;
      if (!frontEnd.Allophones({phonemes}, allophones)) {
        report.refusedWords.push_back(word);
        continue;
      }
      for (const auto& name : allophones[0]) CountName(name, has, report.wordsAlone);
      const auto list = SplitList(phonemes);
      ends.emplace(list.back(), phonemes);
      starts.emplace(list.size() > 1 ? list[0] + "," + list[1] : list[0], phonemes);
    }
  }
  for (const auto& [endKey, first] : ends) {
    for (const auto& [startKey, second] : starts) {
      std::vector<std::string> pair = {first, second};
      ApplyCrossWordRules(pair[0], pair[1]);
      std::vector<std::vector<std::string>> allophones;
      if (!frontEnd.Allophones(pair, allophones)) continue;
      CountName(allophones[0].back(), has, report.wordPairs);
      CountName(allophones[1].front(), has, report.wordPairs);
      if (allophones[1].size() > 1) CountName(allophones[1][1], has, report.wordPairs);
    }
  }
  for (const auto& sentence : sentences) {
    for (const auto& syntagma : frontEnd.Analyze(sentence)) {
      for (const auto& word : syntagma.words)
        for (const auto& name : word.allophones) CountName(name, has, report.sentences);
    }
  }
  return report;
}

namespace {

void FormatCount(std::string& out, const char* title, const CoverageCount& count) {
  const double total = static_cast<double>(std::max<size_t>(1, count.Requested()));
  char line[256];
  std::snprintf(line, sizeof line,
                "%s: %zu names requested; direct %.1f%%, through a substitute %.1f%%, missing %.1f%%\n",
                title, count.Requested(), 100.0 * count.direct.size() / total,
                100.0 * count.substituted.size() / total, 100.0 * count.missing.size() / total);
  out += line;
  if (!count.missing.empty()) out += "  missing: " + JoinList({count.missing.begin(), count.missing.end()}) + "\n";
}

}  // namespace

std::string FormatCoverage(const CoverageReport& report) {
  std::string out;
  out += "Word forms analysed: " + std::to_string(report.words) + "\n";
  FormatCount(out, "Words alone", report.wordsAlone);
  FormatCount(out, "Word pairs (joints)", report.wordPairs);
  FormatCount(out, "Test sentences", report.sentences);
  out += "Word forms the phonetics refuses: " + std::to_string(report.refusedWords.size());
  for (size_t i = 0; i < report.refusedWords.size() && i < 20; ++i)
    out += (i == 0 ? " (" : ", ") + report.refusedWords[i];
  out += report.refusedWords.empty() ? "\n" : ")\n";
  return out;
}
