// The wait cursor: shown while a step holds the user interface (a document
// converts, a file loads, a test text is spoken). Steps nest; the cursor
// changes only when the first begins and the last ends. A program with
// windows installs the handler that shows it; without one it is only kept.
#pragma once

#include "platform/types.h"

#include <functional>

PLATFORM_API void BeginWaitCursor();
PLATFORM_API void EndWaitCursor();
PLATFORM_API bool WaitCursorShown();

// Called with true when the cursor is to show and false when it goes, on
// the thread of the step. Returns the previous handler.
using WaitCursorHandler = std::function<void(bool shown)>;
PLATFORM_API WaitCursorHandler SetWaitCursorHandler(WaitCursorHandler handler);

// The wait cursor for the life of the object.
class CWaitCursor {
 public:
  CWaitCursor() { BeginWaitCursor(); }
  ~CWaitCursor() { EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};
