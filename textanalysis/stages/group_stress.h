// The stress and span of a phonetic word, built from its words once the
// clitics have been joined.
#pragma once

#include "foundation/syntagma.h"

// "не было" is said with the stress on "не": where "не" is unstressed and
// "было" stressed, the main stress moves to the "е" of "не".
void ApplyNeByloRule(WordGroup& group);

// The group's main stress is the last main stress of its words (earlier
// ones become secondary), its secondary stresses all those of its words,
// indexes counted over the joined texts and sorted; its span runs from the
// smallest start to the largest end of its words.
void BuildGroupStress(WordGroup& group);
