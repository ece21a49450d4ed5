#include "textanalysis/stages/syntagma_words.h"

#include <algorithm>
#include <utility>

#include "textanalysis/stages/cross_word_rules.h"
#include "textanalysis/stages/runemap_params.h"

namespace {

// Through IRunemap::Convert2: the letters between syntagma ("#") or word
// ("_") boundaries, 1-based stresses.
bool ConvertFramed(const WordGroup& group, const std::string& letters, bool first, bool last,
                   const WordConverter& converter, std::string& phonemes) {
  const StressSpec& stress = group.stress;
  std::vector<INT> part;
  part.reserve(stress.positions.size());
  // A secondary stress on the main one would make the converter refuse the
  // whole word.
  for (INT position : stress.positions)
    if (position != stress.main) part.push_back(position + 1);
  const std::string framed = (first ? "#" : "_") + letters + (last ? "#" : "_");
  return converter.Convert2(framed, stress.IsSet() ? stress.main + 1 : -1, std::move(part),
                            phonemes);
}

// Through IRunemap2::Convert: the words joined by "+" with parameter bytes.
bool ConvertParts(const WordGroup& group, bool first, bool last, const WordConverter& converter,
                  std::string& phonemes) {
  std::vector<std::string> parts;
  parts.reserve(group.words.size());
  std::string joined;
  for (const StressedWord& word : group.words) {
    if (!parts.empty()) joined += '+';
    joined += word.token.text;
    parts.push_back(word.token.text);
  }
  INT main = group.stress.main;
  std::vector<INT> secondary = group.stress.positions;
  if (main == -1 && !secondary.empty()) {
    main = secondary.back();
    secondary.pop_back();
  }
  return converter.Convert(joined, MakeRunemapParams(parts, main, secondary, first, last),
                           phonemes);
}

Interval SpanOfWords(const WordGroup& group) {
  const Interval& first = group.words.front().token.position;
  const Interval& last = group.words.back().token.position;
  return Interval{first.start, static_cast<UI4>(last.start + last.size - first.start)};
}

}  // namespace

OutputSyntagma BuildSyntagmaWords(const SyntagmaRecord& syntagma, const WordConverter& converter,
                                  int subLanguage) {
  OutputSyntagma out;
  out.type = static_cast<_eLMSyntagmaType>(syntagma.type);
  out.endSign = static_cast<_eLMSyntagmaEnd>(syntagma.endSign);
  out.words.reserve(syntagma.parts.size());
  for (size_t i = 0; i < syntagma.parts.size(); ++i) {
    if (syntagma.parts[i].groups.empty() || syntagma.parts[i].groups[0].words.empty()) continue;
    const WordGroup& group = syntagma.parts[i].groups[0];
    const bool first = i == 0;
    const bool last = i + 1 == syntagma.parts.size();
    OutputWord word;
    const StressedWord& lead = group.words.front();
    if (lead.token.IsFromTag()) {
      word.phonemes = word.letters = lead.token.text;
      word.itvl = lead.token.position;
    } else {
      for (const StressedWord& member : group.words) word.letters += member.token.text;
      word.itvl = SpanOfWords(group);
      if (subLanguage == 0)
        ConvertFramed(group, word.letters, first, last, converter, word.phonemes);
      else if (subLanguage == 1 || subLanguage == 2)
        ConvertParts(group, first, last, converter, word.phonemes);
    }
    if (word.phonemes.empty()) continue;
    if (!out.words.empty()) ApplyCrossWordRules(out.words.back().phonemes, word.phonemes);
    out.words.push_back(std::move(word));
  }
  return out;
}
