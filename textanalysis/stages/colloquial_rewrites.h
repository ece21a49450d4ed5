// Spelling rewrites that make the letter-to-phoneme conversion say words as
// they are spoken: "того" as "тово", "учиться" as "учитса", "касса" as
// "каса", "что" as "што". Stresses of the group follow removed letters.
#pragma once

#include "foundation/syntagma.h"

// Rewrites every word of the group but literal pronunciations and words
// holding "внзар".
void RewriteGroupColloquially(WordGroup& group);

void RewriteSyntagmaColloquially(SyntagmaRecord& syntagma);
