// The Open command's two steps around the open-file dialog: where the
// dialog starts, and what is remembered of a document chosen inside an
// archive so that it can be taken out again later.
#pragma once

#include <string>
#include <vector>

#include "documents/common/convert_dialog.h"

class CSettingsStore;

// Where the dialog starts: a file or folder, or an archive and the entry
// (its path inside) to show selected.
struct OpenDialogStart {
  std::u16string path;
  std::u16string entry;
};

// For the first recent document: the archive it was taken from, when that
// exists, with the entry; else the document when it exists; else nothing.
OpenDialogStart OpenDialogStartPath(const std::vector<std::u16string>& recent);

// For a choice inside an archive: `ZipPath`, `ZipSettings` and the entry's
// name in the chosen path's ".trc" file. False when that file could not be
// written.
bool RememberArchiveEntry(const OpenFileChoice& choice);

// How the document whose ".trc" is given is filed in the recent list: the
// archive entry it was taken from, else its own path.
std::u16string FiledDocumentPath(const CSettingsStore& trc, const std::u16string& document);
