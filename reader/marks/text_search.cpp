#include "reader/marks/text_search.h"

#include <algorithm>

#include "foundation/char_classes.h"

void CTextSearch::Start(const std::string& text, bool matchCase, bool backward, INT pageStart) {
  Restore(text, matchCase, backward);
  position_ = pageStart;
}

void CTextSearch::Restore(const std::string& text, bool matchCase, bool backward) {
  text_ = text;
  matchCase_ = matchCase;
  backward_ = backward;
  if (!matchCase_) LowerString(text_);
}

std::string CTextSearch::Block(INT from, INT count, const SearchBlockReader& read) const {
  std::string block = read(from, count);
  if (!matchCase_) LowerString(block);
  return block;
}

INT CTextSearch::FindText(INT pageStart, INT fileSize, const SearchBlockReader& read) {
  if (position_ < 0) position_ = std::clamp<INT>(pageStart, 0, std::max<INT>(fileSize, 0));
  const INT length = TextLength();
  if (fileSize <= 0 || position_ >= fileSize || length == 0 || (backward_ && position_ == 0))
    return -1;

  // A text longer than half a block would make a step of 0 or less.
  const INT blockBytes = std::max<INT>(kSearchBlockBytes, 2 * length);
  if (!backward_) {
    for (;;) {
      const INT n = std::min(blockBytes, fileSize - position_);
      const size_t k = Block(position_, n, read).find(text_);
      if (k != std::string::npos) {
        const INT match = position_ + static_cast<INT>(k);
        position_ = match + 1;
        return match;
      }
      if (position_ + n >= fileSize) {
        position_ = fileSize;
        return -1;
      }
      position_ += n - length + 1;
    }
  }
  for (;;) {
    const INT n = std::min(blockBytes, position_);
    const size_t k = Block(position_ - n, n, read).rfind(text_);
    if (k != std::string::npos) {
      const INT match = position_ - n + static_cast<INT>(k);
      // Never below 0: -1 would read as a search that was never started.
      position_ = std::max<INT>(match - 1, 0);
      return match;
    }
    if (position_ - n < 1) {
      position_ = 0;
      return -1;
    }
    position_ = position_ - n + length - 1;
  }
}
