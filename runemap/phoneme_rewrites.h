// The assimilation rewrites applied to a joined phoneme string, in their
// fixed order. Three rule sets share one table: the stress-position entry
// and the flag entry of the word converter, and the whole-text converter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class RewriteSet { WordStress, WordFlags, WholeText };

class PhonemeRewriter {
 public:
  explicit PhonemeRewriter(RewriteSet set);

  // Applies every rule of the set in order. `letters` is the word the
  // phonemes came from; some rules are skipped for certain words.
  void Apply(std::string& phonemes, std::string_view letters) const;

 private:
  struct Rule {
    std::string find;
    std::string replacement;
    std::string_view unlessLetters;  // empty: no condition
    uint64_t needs;                  // CharMask of `find`
  };

  std::vector<Rule> rules_;
};
