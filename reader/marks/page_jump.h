// Go to page: pages are counted in blocks of 1000 bytes.
#pragma once

#include "platform/types.h"

struct PageJumpRange {
  INT page = 1;      // shown in the dialog: the current page, 1-based
  INT lastPage = 1;  // the dialog's maximum
};

// pageNumber is 0-based, pageCount the document's page count.
PageJumpRange GoToPageRange(INT pageNumber, INT pageCount);
// The byte offset of a 1-based page.
INT PageJumpOffset(INT page);
