#include "reader/marks/page_jump.h"

#include <algorithm>

#include "reader/page_model.h"

PageJumpRange GoToPageRange(INT pageNumber, INT pageCount) {
  PageJumpRange range;
  range.lastPage = std::max<INT>(pageCount, 1);
  range.page = std::clamp<INT>(pageNumber + 1, 1, range.lastPage);
  return range;
}

INT PageJumpOffset(INT page) { return (std::max<INT>(page, 1) - 1) * kPageBlockBytes; }
