// The tone mark of each syntagma of a sentence: neutral, except for the
// last syntagma, whose mark follows the sentence's final punctuation.
#pragma once

#include <vector>

#include "textanalysis/pipeline/output_syntagma.h"

void SetToneMarks(std::vector<OutputSyntagma>& syntagmas);
