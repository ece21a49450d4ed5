// The page of the open document: its start and length in the text file and
// its screen lines. Turning forward reads 1000 bytes after the page, turning
// back 1000 bytes before it; when their lines leave room on the page, more
// blocks are read until the page is full. Nothing else of the document is
// held in memory.
#pragma once

#include <string>

#include "foundation/text_file.h"
#include "platform/types.h"
#include "reader/line_breaker.h"
#include "reader/page_trail.h"

// Bytes per page number shown to the user, and the block a page is built
// from while it fills the text area.
constexpr INT kPageBlockBytes = 1000;
// The most a page is built from: line offsets are 16-bit.
constexpr INT kMaxPageBytes = 64 * kPageBlockBytes;
// Look-around before the page start for the paragraph test and the jumps.
constexpr INT kLookBackBytes = 50;

class PageModel {
 public:
  enum class OpenResult { kOpened, kCannotOpen, kTooLarge };

  // Opens the text file in mode "rb". Files whose size does not fit the
  // 32-bit signed offsets of the page are refused.
  OpenResult Open(const std::u16string& path);
  // Closes the file; page start and length become 0, the lines are cleared.
  void Close();

  // The layout the lines are broken for. At least one line per page is
  // used, so that every turn moves on. A different layout forgets the
  // pages turned through.
  void SetLayout(const LineLayout& layout, INT linesPerPage);
  const LineLayout& Layout() const { return layout_; }
  INT LinesPerPage() const { return linesPerPage_; }

  bool NoDocument() const { return !file_.IsOpen(); }
  bool AtDocumentStart() const { return pageStart_ == 0 && pageStart_ < fileSize_; }
  bool AtDocumentEnd() const { return pageStart_ + pageLength_ == fileSize_; }

  // The page after the current one (the current one again when the page
  // length is 0). False when nothing was built.
  bool NextPage();
  // The page before the current one. False when nothing was built. A page
  // turned through before comes back as it was shown.
  bool PrevPage();
  // Rebuilds the current page at its start.
  bool RepaintPage();
  // Starts the page after the last blank of the 50 bytes before pos. This
  // and the other jumps forget the pages turned through.
  bool GoToOffset(INT pos);
  // Percent of the file size, clamped to 0..100.
  bool GoToPercent(double percent);
  // Sets the page start read from the document's settings and builds the
  // page. A start beyond the end of the file (a stale setting) shows the
  // last page; a negative one the first.
  bool ShowPageAt(INT start);

  // 0-based; -1 without a document.
  INT GetPageNumber() const;
  INT GetPageCount() const;
  // Share of the file before the page start, 0..1.
  double ProgressFraction() const;

  INT PageStart() const { return pageStart_; }
  INT PageLength() const { return pageLength_; }
  INT FileSize() const { return fileSize_; }
  const PageLines& Lines() const { return lines_; }
  TextFile& File() { return file_; }

  INT HighlightStart() const { return highlightStart_; }
  INT HighlightEnd() const { return highlightEnd_; }
  void SetHighlight(INT start, INT end) {
    highlightStart_ = start;
    highlightEnd_ = end;
  }

  // Reads count bytes at from, converted to Windows-1251 with the global
  // converter (fewer at the end of the file).
  std::string ReadConverted(INT from, INT count);

 private:
  void ClearPage();
  bool StartsParagraphAt(INT start);
  // The lines of the count bytes at the page start.
  void BreakForward(INT count, bool startsParagraph);
  // The lines of the bytes from `from` up to the page start.
  void BreakBackward(INT from, bool nextIsLetter);
  // The page at the page start, broken forwards.
  void BuildForward();
  // The page ending at the page start, broken backwards. False when the
  // text before it makes no more than a page from the document start:
  // nothing was built then.
  bool BuildBackward();
  // Builds a page met before the same way; false when it came out
  // different (the page is then undefined).
  bool Rebuild(const TrailPage& page);
  TrailPage Shown(bool backward) const { return {pageStart_, pageStart_ + pageLength_, backward}; }

  TextFile file_;
  INT fileSize_ = 0;
  INT pageStart_ = 0;
  INT pageLength_ = 0;
  PageLines lines_;
  LineLayout layout_;
  INT linesPerPage_ = 1;
  // The widths the trail's pages were broken with.
  CharWidthTable trailWidths_{};
  PageTrail trail_;
  INT highlightStart_ = -1;
  INT highlightEnd_ = -1;
};
