// Whole-text letter converter of the Russian phonetics server: blank
// separated words with "+" (main stress) and "-" (secondary stress) after
// their vowels, to a phoneme list framed by "#" with "_" between words:
// "ма+ма" gives "#,M,A0,M,A2,#".
//
// It shares the letter rules of the word converter, except that unstressed
// 'о' is not reduced and a stressed 'о' after 'ь' is not iotated; its
// neighbours run across blanks; its rewrites are a shorter, unconditional
// list; and its consonant tests use the caller's sound inventory.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runemap/devoicing.h"
#include "runemap/phoneme_rewrites.h"

class SonalikLetterConverter {
 public:
  // `isConsonant` tells whether a phoneme name is a consonant of the sound
  // inventory; names outside the inventory must give false.
  explicit SonalikLetterConverter(std::function<bool(std::string_view name)> isConsonant);

  // The framed list, or "" when a stress mark is misplaced (at the start, not
  // after a small vowel letter, or a second "+" in one word).
  std::string Convert(std::string_view text) const;

 private:
  PhonemeRewriter rewriter_{RewriteSet::WholeText};
  DevoicingRules devoicing_;
};
