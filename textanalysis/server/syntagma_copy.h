// Copies the pipeline's syntagmas into the records handed to the client:
// one task-memory block for the array, one per word array, one per string.
#pragma once

#include <vector>

#include "interfaces/glossel.h"
#include "textanalysis/pipeline/output_syntagma.h"

// Fills *records and *count; null and 0 for no syntagmas. E_OUTOFMEMORY,
// with everything this call allocated freed, when an allocation fails.
HRESULT CopySyntagmas(const std::vector<OutputSyntagma>& syntagmas, Syntagma2** records,
                      INT* count);
HRESULT CopySyntagmas(const std::vector<OutputSyntagma>& syntagmas, Syntagma3** records,
                      INT* count);

// Frees a syntagma array as the client does.
void FreeSyntagmas(Syntagma2* records, INT count);
void FreeSyntagmas(Syntagma3* records, INT count);
