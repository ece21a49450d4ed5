#include "tools/voice_build/alignment.h"

#include <limits>

#include "tools/voice_build/phone_match.h"

namespace {

enum Move : unsigned char { kMatch, kDropPhoneme, kExtraLabel };

}  // namespace

Alignment AlignPhones(const std::vector<std::string>& phonemes, const std::vector<bool>& boundary,
                      const std::vector<PhoneLabel>& labels) {
  const size_t n = phonemes.size(), m = labels.size();
  const size_t width = m + 1;
  constexpr int kInf = std::numeric_limits<int>::max() / 4;
  std::vector<int> cost((n + 1) * width, kInf);
  std::vector<Move> move((n + 1) * width, kMatch);
  auto at = [width](size_t i, size_t j) { return i * width + j; };
  auto extraLabelCost = [&](size_t i, size_t j) {
    if (!IsPauseLabel(labels[j - 1].name)) return kSkipCost;
    return boundary[i] ? 0 : kStrayPauseCost;
  };
  cost[0] = 0;
  for (size_t i = 0; i <= n; ++i) {
    for (size_t j = 0; j <= m; ++j) {
      int best = i == 0 && j == 0 ? 0 : kInf;
      Move how = kMatch;
      if (i > 0 && j > 0) {
        const int c = cost[at(i - 1, j - 1)] + PhoneMatchCost(phonemes[i - 1], labels[j - 1].name);
        if (c < best) best = c, how = kMatch;
      }
      if (i > 0 && cost[at(i - 1, j)] + kSkipCost < best) {
        best = cost[at(i - 1, j)] + kSkipCost, how = kDropPhoneme;
      }
      if (j > 0 && cost[at(i, j - 1)] + extraLabelCost(i, j) < best) {
        best = cost[at(i, j - 1)] + extraLabelCost(i, j), how = kExtraLabel;
      }
      cost[at(i, j)] = best;
      move[at(i, j)] = how;
    }
  }
  Alignment out;
  out.label.assign(n, -1);
  out.cost.assign(n, kSkipCost);
  out.total = cost[at(n, m)];
  size_t i = n, j = m;
  while (i > 0 || j > 0) {
    switch (move[at(i, j)]) {
      case kMatch:
        out.label[i - 1] = static_cast<int>(j - 1);
        out.cost[i - 1] = PhoneMatchCost(phonemes[i - 1], labels[j - 1].name);
        --i, --j;
        break;
      case kDropPhoneme: --i; break;
      case kExtraLabel: --j; break;
    }
  }
  return out;
}
