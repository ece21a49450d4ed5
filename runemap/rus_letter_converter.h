// Russian letters of one word, with their stresses, to a comma-joined
// phoneme string ("M,A2,L,A1,K,O0").
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runemap/devoicing.h"
#include "runemap/phoneme_features.h"
#include "runemap/phoneme_rewrites.h"

// Per-letter flags of the flag entry point.
namespace letter_flag {
constexpr uint8_t kMainStress = 1;
constexpr uint8_t kSecondaryStress = 2;
constexpr uint8_t kPart = 4;  // marks the vowels of a flagged part; no effect on output
constexpr uint8_t kBeforeStress = 8;
constexpr uint8_t kAfterStress = 16;
}  // namespace letter_flag

class RusLetterConverter {
 public:
  RusLetterConverter();
  // The devoicing tests refer to this object's feature table.
  RusLetterConverter(const RusLetterConverter&) = delete;
  RusLetterConverter& operator=(const RusLetterConverter&) = delete;

  // Sub-language mode: 0 by default; 1 and 2 change the stress digits and
  // add the glide pass.
  void SetMode(int32_t mode) { mode_ = mode; }
  int32_t Mode() const { return mode_; }

  // `letters` are lowered here. `mainStress` is a 0-based letter index or
  // -1; `secondary` lists further stressed letters. `out` is replaced and is
  // empty when no letter yields a phoneme.
  void ConvertRusWordStress(std::string_view letters, int32_t mainStress,
                            std::span<const int32_t> secondary, std::string& out) const;

  // `letters` are taken as they are (small letters expected); `flags` has
  // one byte per letter.
  void ConvertRusWord(std::string_view letters, std::span<const uint8_t> flags,
                      std::string& out) const;

 private:
  void Finish(std::string& out, std::string_view letters, const PhonemeRewriter& rewriter) const;

  PhonemeFeatureTable features_;
  PhonemeRewriter stressRewriter_{RewriteSet::WordStress};
  PhonemeRewriter flagsRewriter_{RewriteSet::WordFlags};
  DevoicingRules devoicing_;
  int32_t mode_ = 0;
};
