#include "foundation/stress.h"

#include <algorithm>

int StressSpec::Match(INT position) const {
  if (IsSet() && position == main) return 1;
  if (std::find(positions.begin(), positions.end(), position) != positions.end()) return 2;
  return 0;
}

bool StressSpec::IsValid() const {
  return main >= -1 &&
         std::all_of(positions.begin(), positions.end(), [](INT p) { return p >= 0; });
}

bool StressedWord::StressInRange() const {
  const auto inText = [this](INT p) {
    return p >= 0 && static_cast<size_t>(p) < token.text.size();
  };
  return (!stress.IsSet() || inText(stress.main)) &&
         std::all_of(stress.positions.begin(), stress.positions.end(), inText);
}

bool StressByPosition::Find(UI8 position, StressSpec& out) const {
  out.Reset();
  const auto it = entries_.find(position);
  if (it == entries_.end()) return false;
  out = it->second;
  return true;
}
