#include "textanalysis/stages/hyphen_joiner.h"

#include <utility>

namespace {

constexpr UI4 kSeparatorAfter = TextToken::kSpaceAfter | TextToken::kLineEndAfter;
constexpr UI4 kSeparatorBefore = TextToken::kSpaceBefore | TextToken::kLineEndBefore;

enum class Joint { kNone, kTight, kLineEnd, kLineStart };

bool Has(const StressedWord& word, UI4 mask) { return word.token.HasAnyFlag(mask); }

// How "-" (w) between p and n joins them, if it does.
Joint JointKind(const StressedWord& p, const StressedWord& w, const StressedWord& n) {
  if (w.token.text != "-" || !p.token.IsRussianWord() || !n.token.IsRussianWord())
    return Joint::kNone;
  const bool tightLeft = !Has(p, kSeparatorAfter) && !Has(w, kSeparatorBefore);
  const bool tightRight = !Has(w, kSeparatorAfter) && !Has(n, kSeparatorBefore);
  if (tightLeft && tightRight) return Joint::kTight;
  if (tightLeft && Has(w, TextToken::kLineEndAfter) && Has(n, TextToken::kLineEndBefore))
    return Joint::kLineEnd;
  if (Has(p, TextToken::kLineEndAfter) && Has(w, TextToken::kLineEndBefore) && tightRight)
    return Joint::kLineStart;
  return Joint::kNone;
}

}  // namespace

bool HyphenJoiner::IsKnown(const std::string& word) const {
  if (userBase_ != nullptr && userBase_->Find(word) != UserStressBaseFile::kNoStress) return true;
  return dictionary_ != nullptr && dictionary_->IsLoaded() && dictionary_->Contains(word);
}

void HyphenJoiner::Run(std::vector<StressedWord>& words) const {
  const size_t count = words.size();
  if (count == 0) return;
  std::vector<StressedWord> out;
  out.reserve(count);
  if (words[0].token.text != "-") out.push_back(words[0]);
  if (count == 1) {
    words = std::move(out);
    return;
  }

  size_t i = 1;
  while (i + 1 < count) {
    const StressedWord& w = words[i];
    const StressedWord& n = words[i + 1];
    const Joint joint = JointKind(words[i - 1], w, n);
    // A joined word is always the last one emitted; out is never empty here
    // because p, a word, was emitted before the hyphen.
    if (joint == Joint::kNone || out.empty()) {
      out.push_back(w);
      ++i;
      continue;
    }
    StressedWord& p = out.back();
    if (joint == Joint::kLineEnd && IsKnown(p.token.text + n.token.text)) {
      p.token.text += n.token.text;
      p.token.RemoveFlags(TextToken::kRightSeparators);
      p.token.AddFlags(n.token.RightFlags());
      p.token.position.size = static_cast<UI4>(EndOf(n.token.position) - p.token.position.start);
      p.stress.Reset();
    } else {
      if (p.token.text == "пол") p.token.text = "полъ";
      p.token.RemoveFlags(TextToken::kRightSeparators);
      p.token.AddFlags(w.token.RightFlags() | TextToken::kHyphenAfter);
      out.push_back(n);
      out.back().token.AddFlags(TextToken::kHyphenBefore);
    }
    i += 2;
  }
  if (i == count - 1) out.push_back(std::move(words[i]));
  words = std::move(out);
}
