// The pause markers that the pipeline puts between words and at syntagma
// ends, and their pause lengths.
#pragma once

#include <string>

// The marker of a syntagma end mark (0 to 17); "" for any other value.
std::string SyntagmaEndMarker(int syntagmaEnd);

// The marker put between the words of a syntagma: "INWOP".
std::string InterWordPauseMarker();

// int(factor × the marker's milliseconds); 0 for "INWOP"; -1 when the name
// is not a marker (it is then a unit name).
int MarkerPauseLength(float factor, const std::string& name);
