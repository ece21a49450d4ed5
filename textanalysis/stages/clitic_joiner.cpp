#include "textanalysis/stages/clitic_joiner.h"

#include "foundation/char_classes.h"

namespace {

// Built once: the list lookups take the name as a string.
const std::string kQuestionWords = "Вопросительные_слова";
const std::string kJoinRight = "Присоединяются_направо";
const std::string kJoinLeft = "Присоединяются_налево";
const std::string kKeepStressList = "Присоединяются_и_сохраняют_ударение";

bool SameSpan(const StressedWord& a, const StressedWord& b) {
  return a.token.position.start == b.token.position.start &&
         a.token.position.size == b.token.position.size;
}

// Words a processor made of one stretch of text share its span: the letters
// of a spelled abbreviation ("США" as "сэ шэ а") lean on nothing outside
// it, though "а" or "у" alone would.
bool LeansOutOfItsSpan(const std::vector<StressedWord>& words, int first, int last, int onto) {
  const int count = static_cast<int>(words.size());
  const bool inRewrite = (first > 0 && SameSpan(words[first - 1], words[first])) ||
                         (last + 1 < count && SameSpan(words[last], words[last + 1]));
  if (!inRewrite) return false;
  return onto < 0 || onto >= count || !SameSpan(words[onto], words[onto < first ? first : last]);
}

bool IsHyphenPair(const std::vector<StressedWord>& words, int k) {
  return k + 1 < static_cast<int>(words.size()) && words[k].token.HasHyphenAfter() &&
         words[k + 1].token.HasHyphenBefore();
}

// Compound prepositions whose both halves lean on the next word.
bool IsCompoundPreposition(const std::string& first, const std::string& second) {
  return (first == "из" && (second == "за" || second == "под")) ||
         (first == "по" && (second == "над" || second == "за"));
}

// Particles that follow a hyphen unstressed ("кто-то", "скажи-ка").
bool IsUnstressedParticle(const std::string& word) {
  return word == "то" || word == "либо" || word == "нибудь" || word == "ка" || word == "таки";
}

// The signs count as consonants too: "сквозь окно" is joined "сквозьъокно".
bool EndsInConsonant(const std::string& word) {
  return !word.empty() && IsRusConsonant(static_cast<unsigned char>(word.back()));
}

bool BeginsWithVowel(const std::string& word) {
  return !word.empty() && IsRusVowel(static_cast<unsigned char>(word[0]));
}

void ApplyState(StressSpec& stress, int state) {
  if (state == 0) {
    stress.Reset();
  } else if (state == 1 && stress.IsSet()) {
    stress.positions.push_back(stress.main);
    stress.ClearMain();
  }
}

}  // namespace

bool CliticJoiner::Find(const std::string& list, const std::vector<StressedWord>& words, int from,
                        int& last) const {
  return lists_ != nullptr &&
         lists_->Find(list, words, from, static_cast<int>(words.size()), last);
}

CliticJoiner::State CliticJoiner::CliticState(const std::vector<StressedWord>& words, int from,
                                              int last) const {
  int keepLast = -1;
  return Find(kKeepStressList, words, from, keepLast) && keepLast == last ? kDemoteStress
                                                                      : kDropStress;
}

std::vector<WordGroup> CliticJoiner::Run(const std::vector<StressedWord>& words) const {
  const int count = static_cast<int>(words.size());
  std::vector<State> states(words.size(), kKeepStress);
  std::vector<Span> closed;
  Span pending;
  const auto closePending = [&](int next) {
    if (pending.size > 0) {
      states[pending.first + pending.size - 1] = kKeepStress;
      closed.push_back(pending);
    }
    pending = Span{next, 0};
  };
  const auto growTo = [&](Span& span, int last) { span.size = last - span.first + 1; };
  const auto setStates = [&](int from, int last, State state) {
    for (int j = from; j <= last; ++j) states[j] = state;
  };

  int k = 0;
  if (count > 0 && words[count - 1].token.text == "?") {
    int last = -1;
    if (lists_ != nullptr && lists_->Find(kQuestionWords, words, 0, 1, last)) {
      closed.push_back(Span{0, 1});
      pending = Span{1, 0};
      k = 1;
    }
  }

  while (k < count) {
    const StressedWord& word = words[k];
    if (IsHyphenPair(words, k)) {
      growTo(pending, k + 1);
      if (IsCompoundPreposition(word.token.text, words[k + 1].token.text)) {
        setStates(k, k + 1, kDropStress);
      } else {
        // Closing keeps the last word's stress; the particle loses it after.
        closePending(k + 2);
        if (IsUnstressedParticle(words[k + 1].token.text))
          states[k + 1] = kDropStress;
        else
          states[k] = kDemoteStress;
      }
      k += 2;
      continue;
    }
    if (!word.token.IsRussianWord()) {
      closePending(k);
      closed.push_back(Span{k, 1});
      pending = Span{k + 1, 0};
      ++k;
      continue;
    }
    int last = -1;
    if (Find(kJoinRight, words, k, last) && !LeansOutOfItsSpan(words, k, last, last + 1)) {
      // An entry may end with the word its clitics lean on ("надо мной"):
      // a last word that starts no entry itself is that host.
      int hostLast = -1;
      if (last > k && !Find(kJoinRight, words, last, hostLast)) {
        setStates(k, last - 1, CliticState(words, k, last - 1));
        growTo(pending, last);
        closePending(last + 1);
        k = last + 1;
        continue;
      }
      setStates(k, last, CliticState(words, k, last));
      growTo(pending, last);
      k = last + 1;
      continue;
    }
    if (Find(kJoinLeft, words, k, last) && !LeansOutOfItsSpan(words, k, last, k - 1)) {
      if (pending.size > 0) {
        growTo(pending, last);
        setStates(k, last, CliticState(words, k, last));
      } else if (!closed.empty() &&
                 words[closed.back().first + closed.back().size - 1].token.IsRussianWord()) {
        growTo(closed.back(), last);
        pending = Span{last + 1, 0};
        setStates(k, last, CliticState(words, k, last));
      } else {
        closed.push_back(Span{k, last - k + 1});
        pending = Span{last + 1, 0};
      }
      k = last + 1;
      continue;
    }
    growTo(pending, k);
    closePending(k + 1);
    ++k;
  }
  closePending(count);
  return MakeGroups(words, closed, states);
}

std::vector<WordGroup> CliticJoiner::MakeGroups(const std::vector<StressedWord>& words,
                                                const std::vector<Span>& spans,
                                                const std::vector<State>& states) {
  std::vector<WordGroup> groups(spans.size());
  for (size_t g = 0; g < spans.size(); ++g) {
    WordGroup& group = groups[g];
    group.words.reserve(static_cast<size_t>(spans[g].size));
    for (int j = spans[g].first; j < spans[g].first + spans[g].size; ++j) {
      group.words.push_back(words[j]);
      ApplyState(group.words.back().stress, states[j]);
    }
    for (size_t j = 0; j + 1 < group.words.size(); ++j) {
      std::string& text = group.words[j].token.text;
      if (EndsInConsonant(text) && BeginsWithVowel(group.words[j + 1].token.text)) text += "ъ";
    }
  }
  return groups;
}
