// Turns a syntagma's phonetic words into output words with their phoneme
// strings, converted by the entry point of the sub-language and corrected
// at the joints between words.
#pragma once

#include "foundation/syntagma.h"
#include "textanalysis/pipeline/output_syntagma.h"
#include "textanalysis/stages/word_converter.h"

// Words that get no phonemes (no entry point for the sub-language, or a
// failed conversion) are left out; word positions are not set here.
OutputSyntagma BuildSyntagmaWords(const SyntagmaRecord& syntagma, const WordConverter& converter,
                                  int subLanguage);
