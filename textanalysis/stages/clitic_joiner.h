// Groups the words of a run into phonetic words: prepositions and particles
// with the word they lean on, hyphenated pairs together, each other word on
// its own. A clitic keeps its stress, has it demoted to a secondary one or
// loses it, as the service word lists say. An entry of words that lean to
// the right may end with the word they lean on ("надо мной": "надо" leans
// only there).
#pragma once

#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/syntagma.h"
#include "textanalysis/lexicon/service_word_lists.h"

class CliticJoiner {
 public:
  void Init(const ServiceWordLists* lists) { lists_ = lists; }

  // The run's words as groups, in order; each group holds copies of its
  // words with their stress states applied and a hard sign between a final
  // consonant and an initial vowel of the next word.
  std::vector<WordGroup> Run(const std::vector<StressedWord>& words) const;

 private:
  // What happens to a word's stress inside its group.
  enum State { kDropStress = 0, kDemoteStress = 1, kKeepStress = 2 };

  struct Span {
    int first = 0;
    int size = 0;
  };

  bool Find(const std::string& list, const std::vector<StressedWord>& words, int from,
            int& last) const;
  // kDemoteStress when the keep-stress list holds exactly words from..last,
  // else kDropStress.
  State CliticState(const std::vector<StressedWord>& words, int from, int last) const;
  static std::vector<WordGroup> MakeGroups(const std::vector<StressedWord>& words,
                                           const std::vector<Span>& spans,
                                           const std::vector<State>& states);

  const ServiceWordLists* lists_ = nullptr;
};
