#include "textanalysis/stages/yo_variant_stage.h"

#include "foundation/char_classes.h"

namespace {

constexpr char kSmallE = '\xE5';   // 'е'
constexpr char kSmallYo = '\xB8';  // 'ё'

}  // namespace

bool YoVariantStage::Init(const YoVariantsBase* base) {
  base_ = base;
  return base_ != nullptr;
}

void YoVariantStage::Run(std::vector<TextToken>& tokens, size_t from, size_t to) const {
  for (size_t i = from; i < to; ++i) {
    std::string& text = tokens[i].text;
    if (!text.empty() && IsRusLetter(static_cast<unsigned char>(text[0]))) {
      for (char& c : text)
        if (IsRusUpper(static_cast<unsigned char>(c)))
          c = static_cast<char>(RusToLower(static_cast<unsigned char>(c)));
    }
    RestoreYo(text);
  }
}

void YoVariantStage::RestoreYo(std::string& word) const {
  if (base_ == nullptr || !base_->IsLoaded()) return;
  for (size_t i = word.find(kSmallE); i != std::string::npos; i = word.find(kSmallE, i + 1)) {
    word[i] = kSmallYo;
    if (base_->Find(word)) return;
    word[i] = kSmallE;
  }
}
