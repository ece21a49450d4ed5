// Lists of service words (prepositions, particles, question words, ...),
// one per subsection of the string resources' "ServiceWords" section. An
// entry is one word or a sequence of words; a search finds the longest
// entry that starts at a given word.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/text_token.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/lexicon/word_texts.h"

class ServiceWordLists {
 public:
  // One list per subsection of "ServiceWords"; each line is cut at blanks,
  // tabs and "-" into the words of one entry. Always true.
  bool Load(const StringResourceFile& resources);

  // The longest entry of the list whose words equal (byte for byte) the
  // texts from `from` on, using none at or after `to`; `last` receives the
  // index of its last word. False when the range is not 0 <= from < to <=
  // count, the list does not exist or no entry matches.
  bool Find(const std::string& list, const std::vector<TextToken>& tokens, int from, int to,
            int& last) const;
  bool Find(const std::string& list, const std::vector<StressedWord>& words, int from, int to,
            int& last) const;

 private:
  // A word trie: each node ends an entry or not, and continues by word.
  struct Node {
    bool endsEntry = false;
    std::map<std::string, std::unique_ptr<Node>> next;
  };

  bool FindIn(const std::string& list, const WordTexts& texts, int from, int to, int& last) const;

  std::map<std::string, Node> lists_;
};
