#include "textanalysis/stages/syntagma_cutter.h"

#include <utility>

namespace {

struct MarkSign {
  char mark;
  _eLMSyntagmaEnd sign;
};

// Marks whose sign does not depend on what surrounds them.
constexpr MarkSign kMarkSigns[] = {
    {',', SE_Comma6}, {';', SE_Stop3},     {':', SE_Stop4}, {'-', SE_Comma7},
    {'?', SE_Question1}, {'(', SE_Comma8}, {')', SE_Stop5},
};

bool IsPunctuationGroup(const WordGroup& group) {
  return !group.words.empty() && group.words[0].token.IsPunctuation();
}

SyntagmaRecord MakeSyntagma(std::vector<WordGroup>& groups, size_t first, size_t end,
                            _eLMSyntagmaEnd sign) {
  SyntagmaRecord syntagma;
  syntagma.type = OrthographicSyntagma;
  syntagma.endSign = sign;
  syntagma.parts.resize(end - first);
  for (size_t i = first; i < end; ++i) syntagma.parts[i - first].groups.push_back(std::move(groups[i]));
  const Interval& from = syntagma.parts.front().groups[0].position;
  const Interval& to = syntagma.parts.back().groups[0].position;
  syntagma.position = Interval{from.start, static_cast<UI4>(to.start + to.size - from.start)};
  return syntagma;
}

}  // namespace

_eLMSyntagmaEnd EndSignOf(const TextToken& mark, int wordsSince) {
  if (mark.text == ".")
    return mark.HasAnyFlag(TextToken::kLineEndAfter | TextToken::kOuterLineEndAfter) ? SE_Stop1
                                                                                     : SE_Stop2;
  if (mark.text == "!") return wordsSince == 1 ? SE_Exclamation : SE_Exclamation1;
  if (mark.text.size() == 1)
    for (const MarkSign& entry : kMarkSigns)
      if (entry.mark == mark.text[0]) return entry.sign;
  return SE_Stop1;
}

std::vector<SyntagmaRecord> CutSyntagmas(std::vector<WordGroup> groups) {
  std::vector<SyntagmaRecord> syntagmas;
  size_t first = 0;      // first part of the current syntagma
  size_t afterMark = 0;  // just after the previous punctuation
  for (size_t i = 0; i < groups.size(); ++i) {
    if (IsPunctuationGroup(groups[i])) {
      const _eLMSyntagmaEnd sign =
          EndSignOf(groups[i].words[0].token, static_cast<int>(i - afterMark));
      afterMark = i + 1;
      if (i > first) syntagmas.push_back(MakeSyntagma(groups, first, i, sign));
      first = i + 1;
    } else if (i + 1 == groups.size()) {
      syntagmas.push_back(MakeSyntagma(groups, first, i + 1, SE_Stop1));
    }
  }
  return syntagmas;
}
