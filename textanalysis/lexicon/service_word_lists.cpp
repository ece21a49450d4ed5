#include "textanalysis/lexicon/service_word_lists.h"

#include "foundation/string_utils.h"

namespace {

constexpr const char* kServiceWordsSection = "ServiceWords";

}  // namespace

bool ServiceWordLists::Load(const StringResourceFile& resources) {
  lists_.clear();
  std::vector<std::string> words;
  for (const std::string& name : resources.GetSubsections(kServiceWordsSection)) {
    Node& root = lists_[name];
    for (const std::string& line : resources.GetLines(kServiceWordsSection, name)) {
      SplitByAny(line, words, " \t-");
      if (words.empty()) continue;
      Node* node = &root;
      for (const std::string& word : words) {
        std::unique_ptr<Node>& child = node->next[word];
        if (!child) child = std::make_unique<Node>();
        node = child.get();
      }
      node->endsEntry = true;
    }
  }
  return true;
}

bool ServiceWordLists::FindIn(const std::string& list, const WordTexts& texts, int from, int to,
                              int& last) const {
  const int count = static_cast<int>(texts.size());
  if (from < 0 || from >= count || to <= 0 || to > count || from >= to) return false;
  const auto found = lists_.find(list);
  if (found == lists_.end()) return false;
  const Node* node = &found->second;
  bool matched = false;
  for (int i = from; i < to; ++i) {
    const auto next = node->next.find(texts[i]);
    if (next == node->next.end()) break;
    node = next->second.get();
    if (node->endsEntry) {
      last = i;
      matched = true;
    }
  }
  return matched;
}

bool ServiceWordLists::Find(const std::string& list, const std::vector<TextToken>& tokens, int from,
                            int to, int& last) const {
  return FindIn(list, WordTexts(tokens), from, to, last);
}

bool ServiceWordLists::Find(const std::string& list, const std::vector<StressedWord>& words,
                            int from, int to, int& last) const {
  return FindIn(list, WordTexts(words), from, to, last);
}
