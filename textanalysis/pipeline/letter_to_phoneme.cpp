#include "textanalysis/pipeline/letter_to_phoneme.h"

namespace {

// Copies and frees what the converter returned.
bool TakeResult(HRESULT hr, LPSTR result, std::string& phonemes) {
  phonemes.clear();
  if (result != nullptr) {
    if (SUCCEEDED(hr)) phonemes = result;
    CoTaskMemFree(result);
  }
  return SUCCEEDED(hr) && !phonemes.empty();
}

}  // namespace

void LetterToPhoneme::Attach(IRunemap* runemap, IRunemap2* runemap2) {
  Release();
  runemap_ = runemap;
  runemap2_ = runemap2;
}

void LetterToPhoneme::Release() {
  if (runemap2_ != nullptr) runemap2_->Release();
  if (runemap_ != nullptr) runemap_->Release();
  runemap_ = nullptr;
  runemap2_ = nullptr;
}

bool LetterToPhoneme::Convert2(const std::string& letters, INT fullStress,
                               std::vector<INT> partStresses, std::string& phonemes) const {
  phonemes.clear();
  if (runemap_ == nullptr) return false;
  std::string text = letters;
  LPSTR result = nullptr;
  const HRESULT hr =
      runemap_->Convert2(text.data(), fullStress, partStresses.data(),
                         static_cast<INT>(partStresses.size()), &result);
  return TakeResult(hr, result, phonemes);
}

bool LetterToPhoneme::Convert(const std::string& word, std::vector<I1> params,
                              std::string& phonemes) const {
  phonemes.clear();
  if (runemap2_ == nullptr) return false;
  std::string text = word;
  LPSTR result = nullptr;
  const HRESULT hr = runemap2_->Convert(text.data(), params.data(),
                                        static_cast<INT>(params.size()), &result);
  return TakeResult(hr, result, phonemes);
}
