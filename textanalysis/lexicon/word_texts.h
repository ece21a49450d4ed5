// A read-only view of the texts of a token or word sequence, so that the
// searches over neighbouring words serve both without copying.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/text_token.h"

class WordTexts {
 public:
  WordTexts(const std::vector<TextToken>& tokens) : tokens_(tokens.data()), count_(tokens.size()) {}
  WordTexts(const std::vector<StressedWord>& words) : words_(words.data()), count_(words.size()) {}

  size_t size() const { return count_; }
  const std::string& operator[](size_t i) const {
    return tokens_ ? tokens_[i].text : words_[i].token.text;
  }

 private:
  const TextToken* tokens_ = nullptr;
  const StressedWord* words_ = nullptr;
  size_t count_ = 0;
};
