#include "textanalysis/stages/word_stages.h"

#include <utility>

#include "textanalysis/stages/group_stress.h"

bool WordStages::Init(LinguisticResources& resources, const ServiceWordLists& serviceWords) {
  hyphens_.Init(&resources.GetStressDictionary(), &resources.GetUserStressBase());
  const bool stressReady = stresses_.Init(&resources.GetStressByPosition(),
                                          &resources.GetStressDictionary(),
                                          &resources.GetUserStressBase());
  clitics_.Init(&serviceWords);
  return stressReady && yoVariants_.Init(&resources.GetYoVariants());
}

std::vector<WordGroup> WordStages::Run(const PreparedSentence& prepared) const {
  std::vector<TextToken> tokens = prepared.tokens;
  const std::vector<StressSpec>& stresses = prepared.stresses;
  std::vector<WordGroup> groups;
  groups.reserve(tokens.size());
  size_t i = 0;
  while (i < tokens.size()) {
    if (tokens[i].IsFromTag()) {
      WordGroup group;
      group.words.push_back(StressedWord{tokens[i], i < stresses.size() ? stresses[i] : StressSpec{}});
      BuildGroupStress(group);
      groups.push_back(std::move(group));
      ++i;
      continue;
    }
    size_t end = i;
    while (end < tokens.size() && !tokens[end].IsFromTag()) ++end;
    RunWords(tokens, stresses, i, end, groups);
    i = end;
  }
  return groups;
}

void WordStages::RunWords(std::vector<TextToken>& tokens, const std::vector<StressSpec>& stresses,
                          size_t from, size_t to, std::vector<WordGroup>& groups) const {
  yoVariants_.Run(tokens, from, to);
  std::vector<StressedWord> words;
  words.reserve(to - from);
  for (size_t i = from; i < to; ++i)
    words.push_back(StressedWord{std::move(tokens[i]), i < stresses.size() ? stresses[i] : StressSpec{}});
  hyphens_.Run(words);
  stresses_.Run(words);
  for (WordGroup& group : clitics_.Run(words)) {
    ApplyNeByloRule(group);
    BuildGroupStress(group);
    groups.push_back(std::move(group));
  }
}
