// Function words by kind: coordinating conjunctions, prepositional forms of
// pronouns, subordinating conjunctions, relative and interrogative pronouns,
// and question adverbs.
#pragma once

#include <set>
#include <string>

class FunctionWordList {
 public:
  enum Kind {
    kCoordinating,
    kPrepositionalForms,
    kSubordinating,
    kPronouns,
    kQuestionWords,
    kKindCount
  };

  FunctionWordList();
  bool Contains(Kind kind, const std::string& word) const;

 private:
  std::set<std::string> words_[kKindCount];
};
