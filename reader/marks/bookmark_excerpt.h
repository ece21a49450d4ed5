// The excerpt shown with a bookmark: the text at its offset without the
// words cut by the excerpt's ends, its lines ended by line feeds alone.
#pragma once

#include <string>

#include "platform/types.h"

class PageModel;

// Bytes of text a bookmark read from the ".trc" file shows.
constexpr INT kBookmarkExcerptBytes = 450;

// Removes the partial first word (up to and including the first blank) and
// the partial last word (from the last blank on) and drops carriage returns.
// Nothing left: "No text".
std::string CleanBookmarkExcerpt(std::string text);

// The cleaned excerpt of `count` bytes at `offset` of the open document;
// "No text" without a document or outside the file.
std::string GetBookmarkExcerpt(PageModel& page, INT offset, INT count);
