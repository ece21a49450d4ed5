// The texts of the status pane: battery, page numbers or percent read, and
// the clock, joined into the one text drawn at the pane's right end.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

// "%i%%" of the charge, or "??%" when unknown or above 100.
std::u16string BatteryText(std::optional<INT> percent);
// Mode 1 "%i/%i" (page number + 1, page count), mode 2 "P:%i%%" of the
// share read up to the page end (clamped to 0..100; "P:0%" for an empty
// file), mode 0 nothing.
std::u16string PagesText(INT mode, INT pageNumber, INT pageCount, INT pageStart, INT pageLength,
                         INT fileSize);
// "%.2i:%.2i".
std::u16string TimeText(INT hour, INT minute);
// The non-empty texts separated by blanks, with a blank before and after
// the whole when there is anything.
std::u16string PaneText(const std::u16string& battery, const std::u16string& pages,
                        const std::u16string& time);
