#include "reader/marks/search_view.h"

#include <algorithm>

void ShowSearchMatch(SearchPageView& view, INT match, INT length) {
  if (match < view.PageStart() || match + length > view.PageStart() + view.PageLength())
    view.GoToOffset(std::max<INT>(match - kMatchLeadBytes, 0));
  const INT start = match - view.PageStart();
  const INT end = start + length;
  // The moved page may still not hold the whole match: start the page at it.
  if (start < 0 || end > view.PageLength()) {
    view.ShowPageFrom(match);
    view.SetHighlight(0, length);
    return;
  }
  view.SetHighlight(start, end);
}
