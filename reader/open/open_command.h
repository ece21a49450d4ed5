// The Open command's two steps around the open-file dialog: where the
// dialog starts, and what is remembered of a document chosen inside an
// archive so that it can be taken out again later.
#pragma once

#include <string>
#include <vector>

#include "documents/common/convert_dialog.h"

// The first recent document when it exists, else the archive it was taken
// from when that exists; empty otherwise.
std::u16string OpenDialogStartPath(const std::vector<std::u16string>& recent);

// For a choice inside an archive: `ZipPath` and `ZipSettings` in the chosen
// path's ".trc" file. False when that file could not be written.
bool RememberArchiveEntry(const OpenFileChoice& choice);
