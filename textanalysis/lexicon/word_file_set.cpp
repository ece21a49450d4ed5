#include "textanalysis/lexicon/word_file_set.h"

WordFileSet::WordFileSet(const char* stem, int maxLength) : stem_(stem), files_(maxLength) {}

bool WordFileSet::Load(const std::u16string& folder) {
  loaded_ = false;
  for (size_t i = 0; i < files_.size(); ++i) {
    if (!files_[i].Load(folder, stem_, static_cast<int>(i) + 1)) {
      Clear();
      return false;
    }
  }
  loaded_ = true;
  return true;
}

bool WordFileSet::Find(std::string_view word) const {
  if (word.empty() || word.size() > files_.size()) return false;
  return files_[word.size() - 1].Find(word);
}

void WordFileSet::Clear() {
  for (WordFile& file : files_) file.Clear();
  loaded_ = false;
}
