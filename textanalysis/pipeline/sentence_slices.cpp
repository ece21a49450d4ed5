#include "textanalysis/pipeline/sentence_slices.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UI4 kWord = TextToken::kRussianWord | TextToken::kLatinWord;
// Clitics («и», «не», «же», «бы») are short and join their neighbour: a
// cut between two words this long parts no phonetic word.
constexpr size_t kLongWord = 4;

// Marks that end a syntagma wherever they stand (a period may belong to an
// abbreviation, a hyphen to a word or a number).
bool EndsSyntagma(const TextToken& mark, const TextToken& next) {
  return mark.HasAnyFlag(TextToken::kPunctuation) && !mark.text.empty() &&
         std::strchr(",;:!?)", mark.text.back()) != nullptr &&
         next.HasAnyFlag(TextToken::kSeparatedBefore);
}

}  // namespace

SliceEnd EndOfSlice(const std::vector<TextToken>& tokens, size_t start, size_t sliceTokens) {
  if (tokens.size() - start <= sliceTokens) return {tokens.size(), false};
  const size_t limit = start + sliceTokens;
  for (size_t i = limit; i > start + sliceTokens / 2; --i)
    if (EndsSyntagma(tokens[i - 1], tokens[i])) return {i, true};
  // A text of no such words (numbers, marks) is still cut, at a blank if
  // it has one, so that no slice grows past twice the size.
  const size_t hardLimit = std::min(tokens.size(), limit + sliceTokens);
  for (size_t i = limit; i < hardLimit; ++i) {
    const TextToken& before = tokens[i - 1];
    const TextToken& after = tokens[i];
    if (before.HasAnyFlag(kWord) && after.HasAnyFlag(kWord) &&
        before.text.size() >= kLongWord && after.text.size() >= kLongWord &&
        after.HasAnyFlag(TextToken::kSeparatedBefore) &&
        !before.HasAnyFlag(TextToken::kHyphenAfter) && !after.HasAnyFlag(TextToken::kHyphenBefore))
      return {i, false};
  }
  for (size_t i = limit; i < hardLimit; ++i)
    if (tokens[i].HasAnyFlag(TextToken::kSeparatedBefore)) return {i, false};
  return {hardLimit, false};
}
