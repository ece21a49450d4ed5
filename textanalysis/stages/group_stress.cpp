#include "textanalysis/stages/group_stress.h"

#include <algorithm>

void ApplyNeByloRule(WordGroup& group) {
  for (size_t i = 0; i + 1 < group.words.size(); ++i) {
    StressedWord& ne = group.words[i];
    StressedWord& bylo = group.words[i + 1];
    if (ne.token.text != "не" || bylo.token.text != "было") continue;
    if (ne.stress.IsSet() || !bylo.stress.IsSet()) continue;
    bylo.stress.ClearMain();
    ne.stress.ClearPositions();
    ne.stress.main = 1;
  }
}

void BuildGroupStress(WordGroup& group) {
  StressSpec& stress = group.stress;
  stress = StressSpec{};
  if (group.words.empty()) return;
  stress = group.words[0].stress;
  INT offset = static_cast<INT>(group.words[0].token.text.size());
  for (size_t i = 1; i < group.words.size(); ++i) {
    const StressedWord& word = group.words[i];
    if (word.stress.IsSet()) {
      if (stress.IsSet()) stress.positions.push_back(stress.main);
      stress.main = offset + word.stress.main;
    }
    for (INT position : word.stress.positions) stress.positions.push_back(offset + position);
    offset += static_cast<INT>(word.token.text.size());
  }
  std::sort(stress.positions.begin(), stress.positions.end());

  UI8 start = group.words[0].token.position.start;
  UI8 end = start + group.words[0].token.position.size;
  for (const StressedWord& word : group.words) {
    start = std::min(start, word.token.position.start);
    end = std::max(end, word.token.position.start + word.token.position.size);
  }
  group.position = Interval{start, static_cast<UI4>(end - start)};
}
