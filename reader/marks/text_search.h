// Searching the document text forward or backward, with or without regard
// to case, one block at a time, so the document is never loaded whole.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"

// Bytes of the document searched at once (at least twice the search text,
// so that every step moves on and a match across two blocks is still seen).
constexpr INT kSearchBlockBytes = 1000;

// Reads `count` bytes at `from` as Windows-1251 text (fewer at the end).
using SearchBlockReader = std::function<std::string(INT from, INT count)>;

class CTextSearch {
 public:
  // Stores the text and flags; without match case the text is lower-cased.
  // The search starts at `pageStart`.
  void Start(const std::string& text, bool matchCase, bool backward, INT pageStart);
  // The text and flags of the `Find` setting; the position stays unset, so
  // the first FindText starts at the page it is given.
  void Restore(const std::string& text, bool matchCase, bool backward);

  // The next match after the position: its byte offset, or -1. A match moves
  // the position one byte past (forward) or before (backward) it; nothing
  // found leaves it at the end (or start) of the file. A position that was
  // never set starts at `pageStart`.
  INT FindText(INT pageStart, INT fileSize, const SearchBlockReader& read);

  void ResetSearch() { position_ = 0; }
  void SetPosition(INT position) { position_ = position; }
  INT Position() const { return position_; }
  const std::string& Text() const { return text_; }
  bool MatchCase() const { return matchCase_; }
  bool Backward() const { return backward_; }
  INT TextLength() const { return static_cast<INT>(text_.size()); }

 private:
  std::string Block(INT from, INT count, const SearchBlockReader& read) const;

  std::string text_;
  bool matchCase_ = false;
  bool backward_ = false;
  INT position_ = -1;
};
