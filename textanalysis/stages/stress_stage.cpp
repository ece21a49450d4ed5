#include "textanalysis/stages/stress_stage.h"

#include "foundation/char_classes.h"

namespace {

constexpr char kSmallYo = '\xB8';  // 'ё'

}  // namespace

bool StressStage::Init(const StressByPosition* tagStresses, const StressDictionary* dictionary,
                       const UserStressBaseFile* userBase) {
  tagStresses_ = tagStresses;
  dictionary_ = dictionary;
  userBase_ = userBase;
  return dictionary_ != nullptr && dictionary_->IsLoaded();
}

void StressStage::Run(std::vector<StressedWord>& words) const {
  for (StressedWord& word : words)
    if (word.token.IsRussianWord()) PlaceStress(word);
}

bool StressStage::TakeTagStress(StressedWord& word) const {
  StressSpec marked;
  if (tagStresses_ == nullptr || !tagStresses_->Find(word.token.position.start, marked))
    return false;
  const std::string& text = word.token.text;
  if (!IsRusVowelAt(text, marked.main) || !AllRusVowelsAt(text, marked.positions)) return false;
  word.stress = marked;
  return true;
}

void StressStage::PlaceStress(StressedWord& word) const {
  const std::string& text = word.token.text;
  const size_t yo = text.find(kSmallYo);
  if (yo != std::string::npos) word.stress.main = static_cast<INT>(yo);
  if (word.stress.IsSet() && word.StressInRange()) return;

  word.stress.Reset();
  if (TakeTagStress(word)) return;
  const int user = userBase_ != nullptr ? userBase_->Find(text) : UserStressBaseFile::kNoStress;
  if (user != UserStressBaseFile::kNoStress) {
    word.stress.main = user;
  } else if (dictionary_ != nullptr && dictionary_->IsLoaded()) {
    const int found = dictionary_->Lookup(text);
    if (found != StressDictionary::kNoStress) word.stress.main = found;
  }

  if (word.stress.IsSet() || !word.stress.positions.empty()) return;
  if (yo != std::string::npos) {
    word.stress.main = static_cast<INT>(yo);
    return;
  }
  for (size_t i = 0; i < text.size(); ++i)
    if (IsRusVowel(static_cast<unsigned char>(text[i])))
      word.stress.positions.push_back(static_cast<INT>(i));
}
