// Cuts a sentence's phonetic words into syntagmas at punctuation; the mark
// that ends a syntagma chooses its end sign and is not part of it.
#pragma once

#include <vector>

#include "foundation/syntagma.h"
#include "interfaces/glossel.h"

// The end sign of a punctuation word, `wordsSince` words after the previous
// punctuation.
_eLMSyntagmaEnd EndSignOf(const TextToken& mark, int wordsSince);

// One part per group, in order; every syntagma is orthographic and spans
// its first to its last group. Marks with no words before them make none.
std::vector<SyntagmaRecord> CutSyntagmas(std::vector<WordGroup> groups);
