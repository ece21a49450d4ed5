// A ZIP archive given as a document (on the command line, from the recent
// list): opened as the Open dialog opens one.
#pragma once

#include <optional>
#include <string>

#include "documents/common/convert_dialog.h"
#include "documents/zip/zip_archive.h"

enum class ArchiveContents { kUnreadable, kEmpty, kFiles };

// Reads the archive into root. `sole` becomes its only document, as the Open dialog
// returns one chosen there, or nothing when it holds several (or none).
// When that document cannot be taken out (no extraction folder), `problem`
// says why and `sole` stays empty.
ArchiveContents ReadArchiveDocument(const std::u16string& archive, ZipDirectory& root,
                                    std::optional<OpenFileChoice>& sole, std::u16string& problem);
