// How a syntagma of a kind-1 voice goes to the phonetics and comes back:
// its words' phoneme strings joined into one list with the edge and word
// marks, and the allophone answer cut into one string per word.
#pragma once

#include <string>
#include <vector>

// "#,<word>,_,<word>,...,#".
std::string JoinSyntagmaPhonemes(const std::vector<std::string>& words);

// Drops a leading and then a trailing "#" or "_" element with its comma.
void StripEdgeMarks(std::string& allophones);

// The allophone string of JoinSyntagmaPhonemes's list, one string per word
// (split at the "_" marks).
std::vector<std::string> SplitSyntagmaAllophones(std::string allophones);
