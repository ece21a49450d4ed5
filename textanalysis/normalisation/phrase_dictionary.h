// Abbreviations and multi-word phrases as written, what to say for them and
// the conditions on the words around them; the longest run of tokens wins.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/text_token.h"
#include "textanalysis/tokenizer/abbreviation_lookup.h"
#include "textanalysis/tokenizer/plain_tokenizer.h"

struct PhraseEntry {
  // Condition bits on a neighbour token.
  static constexpr UI4 kNumber = 2;
  static constexpr UI4 kCapital = 4;
  static constexpr UI4 kLower = 8;
  // Left only: the number before takes the one or the few form of a counted
  // word ("1 руб." is "рубль", "3 руб." "рубля"), so that the entries of one
  // unit can agree with it, the many form last.
  static constexpr UI4 kOne = 0x10;
  static constexpr UI4 kFew = 0x20;

  std::string text;
  UI4 leftMask = 0;
  UI4 rightMask = 0;

  bool HasRightCondition() const { return (rightMask & (kNumber | kCapital | kLower)) != 0; }
};

// Whether a neighbour with these flags (0 for none) meets every condition
// of the mask.
bool NeighbourHolds(UI4 mask, UI4 flags);
// Whether the token before a key (null for none) meets the mask's plural
// conditions; the fraction of a decimal number (`leftIsDecimal`: "1,5 кг")
// asks for the few form, a number in the genitive (`leftInGenitive`: "до 3
// кг") for the genitive's.
bool PluralHolds(UI4 mask, const TextToken* left, bool leftIsDecimal = false,
                 bool leftInGenitive = false);

class PhraseDictionary {
 public:
  // The character classes keys are cut into tokens by.
  void SetCharSet(const CharSet* groups) { tokenizer_.SetCharSet(groups); }

  // The first line gives the field separator and the stop character; every
  // further line is an entry. False without lines or with a first line of
  // another length than two.
  bool Load(const std::vector<std::string>& lines);
  // The same with the lines separated by "#".
  bool LoadText(const std::string& text);
  // Adds the entry under the tokens of the key; a key without tokens is
  // ignored.
  void Insert(const std::string& key, const PhraseEntry& entry);

  // The entries of the longest key starting at tokens[index] whose
  // conditions hold, given the flags of the token before it; `last` is the
  // index of the key's last token.
  bool Match(const std::vector<TextToken>& tokens, int index, UI4 leftFlags,
             std::vector<PhraseEntry>& entries, int& last) const;

 private:
  struct Node;
  struct Record {
    std::vector<PhraseEntry> entries;
    std::unique_ptr<Node> child;
  };
  struct Node {
    std::map<std::string, Record> words;
  };

  void AddLine(const std::string& line, char separator, char stop);
  bool MatchFrom(const Node& node, const std::vector<TextToken>& tokens, size_t depth,
                 UI4 leftFlags, const TextToken* left, bool leftIsDecimal, bool leftInGenitive,
                 std::vector<PhraseEntry>& entries, int& last) const;

  Node root_;
  PlainTokenizer tokenizer_;
};

// The dictionary as the sentence splitter asks it.
class PhraseAbbreviationLookup : public AbbreviationLookup {
 public:
  explicit PhraseAbbreviationLookup(const PhraseDictionary& dictionary)
      : dictionary_(dictionary) {}
  bool Match(const std::vector<TextToken>& tokens, int index, UI4 leftFlags, int& last,
             bool& rightCondition) const override;

 private:
  const PhraseDictionary& dictionary_;
};
