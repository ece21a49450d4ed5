// Word groups and syntagmas of the text data model, with their small
// operations and the debugging dump of a syntagma.
#pragma once

#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/text_token.h"
#include "platform/types.h"

// One word of a syntagma, possibly made of several tokens joined (a word
// with its clitics). Stress positions are byte offsets into the words' texts
// joined without separator.
struct WordGroup {
  std::vector<StressedWord> words;
  StressSpec stress;
  // A further container, empty at construction; its use belongs to the
  // text-analysis stages.
  std::vector<INT> extra;
  // From the smallest start to the largest end of the words.
  Interval position;

  // The joined text with '+' after the main stressed character and '-'
  // after each further stressed character (the main mark wins); positions
  // outside the text are ignored. out is replaced.
  void StressedText(std::string& out) const;
  // The main stress (when set) and every further position lie inside the
  // joined text, and the main position is not also a further position.
  bool IsStressValid() const;
  // A main stress or further positions.
  bool HasStress() const { return stress.IsSet() || !stress.positions.empty(); }
};

struct SyntagmaPart {
  // Set by the syntagma splitter.
  INT value = 0;
  std::vector<WordGroup> groups;
};

struct SyntagmaRecord {
  // An _eLMSyntagmaType value.
  INT type = 0;
  // An _eLMSyntagmaEnd value.
  INT endSign = 0;
  std::vector<SyntagmaPart> parts;
  // From the start of the first group to the end of the last.
  Interval position;

  // Type 0, end sign 0, no parts, empty position.
  void Reset();
  // Type and end sign non-zero and at least one part.
  bool IsComplete() const { return type != 0 && endSign != 0 && !parts.empty(); }
};

// The sum of the text lengths of the first count words (clamped to the
// vector; 0 for count <= 0), and of all the words.
INT SumTokenLengths(const std::vector<StressedWord>& words, INT count);
INT SumTokenLengths(const std::vector<StressedWord>& words);

// The texts of the group's words with the separator between them; out is
// replaced.
void JoinWordTexts(const WordGroup& group, std::string& out, const std::string& separator);
// The same over a vector of words, appended to out unless clearFirst is set.
void JoinStressedWordTexts(const std::vector<StressedWord>& words, std::string& out,
                           const std::string& separator, bool clearFirst);

// The number of word groups with a main stress, over all parts.
INT CountStressedGroups(const SyntagmaRecord& syntagma);

// "Неизвестная", "Короткая", "Орфографическая" for types 0, 1, 2; else "".
std::string SyntagmaTypeName(INT type);
// "!", "!1", "?1", "?2", ".1" to ".5", ",1" to ",8" for end signs 1 to 17;
// else "".
std::string SyntagmaEndCode(INT endSign);
// "Синтагма <type name>: || ", then for every part " <stressed text>" for
// each of its groups and " || ", then the end code. out is replaced.
void DumpSyntagma(const SyntagmaRecord& syntagma, std::string& out);
