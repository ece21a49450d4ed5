#include "textanalysis/normalisation/function_word_list.h"

#include <vector>

namespace {

const std::vector<const char*> kCoordinatingWords = {"и", "ни", "или", "либо",
                                                          "а", "но", "ибо"};
const std::vector<const char*> kPrepositionalWords = {"ком", "чём", "каком", "чьём",
                                                                "котором"};
const std::vector<const char*> kSubordinatingWords = {"хотя",   "пока", "потому", "чтобы",
                                                           "если",   "поэтому", "хоть", "будто",
                                                           "якобы"};
const std::vector<const char*> kPronounWords = {
    "кто",     "кого",    "кому",    "кем",     "что",     "чего",    "чему",    "чем",
    "какой",   "какого",  "какому",  "каким",   "какая",   "какой",   "какую",   "какое",
    "какие",   "каких",   "какими",  "чей",     "чьего",   "чьему",   "чьим",    "чья",
    "чьей",    "чью",     "чьё",     "чьи",     "чьих",    "чьими",   "который", "которого",
    "которому", "которым", "которая", "которой", "которую", "которое", "которые", "которых",
    "которыми", "сколько", "скольких", "скольким", "сколькими"};
const std::vector<const char*> kQuestionWordList = {"как",    "когда",  "где",   "куда",
                                                           "откуда", "почему", "зачем"};

}  // namespace

FunctionWordList::FunctionWordList() {
  const std::vector<const char*>* lists[kKindCount] = {
      &kCoordinatingWords, &kPrepositionalWords, &kSubordinatingWords, &kPronounWords, &kQuestionWordList};
  for (int kind = 0; kind < kKindCount; ++kind)
    for (const char* word : *lists[kind]) words_[kind].insert(word);
}

bool FunctionWordList::Contains(Kind kind, const std::string& word) const {
  return kind >= 0 && kind < kKindCount && words_[kind].count(word) != 0;
}
