// Bringing a search match into view: the page moves when the match is not
// on it, and the match is highlighted.
#pragma once

#include "platform/types.h"

// The main window's page as the search sees it.
class SearchPageView {
 public:
  virtual ~SearchPageView() = default;
  virtual INT PageStart() const = 0;
  virtual INT PageLength() const = 0;
  // Moves the page near the offset (see CReaderDlg::GoToOffset).
  virtual void GoToOffset(INT offset) = 0;
  // Builds the page that starts exactly at the offset.
  virtual void ShowPageFrom(INT offset) = 0;
  // Highlight start and end relative to the page start; then a repaint.
  virtual void SetHighlight(INT start, INT end) = 0;
};

// Bytes of text shown before a match when the page moves to it.
constexpr INT kMatchLeadBytes = 20;

void ShowSearchMatch(SearchPageView& view, INT match, INT length);
