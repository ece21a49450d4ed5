// A ZIP archive given as a document (on the command line, from the recent
// list): opened as the Open dialog opens one. An entry of one is filed (in
// the recent list) as the archive's path, "/" and the entry's path inside
// it, never as the private copy it is read from.
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

// The entry's path inside the archive: the folders from the root down to
// `folder`, and the file's name, joined by "/".
std::u16string PathInArchive(const ZipDirectory& folder, const std::string& fileName);

// How a chosen document is filed: an archive entry as above, a file as its path.
std::u16string FiledPath(const OpenFileChoice& choice);

// Splits a path that names something inside an archive (an existing ZIP
// file up to a "/") into the archive and the path inside; false for any
// other path.
bool SplitArchiveEntryPath(const std::u16string& path, std::u16string& archive, std::u16string& inside);

// The entry a path inside the archive names, and the folder that holds it;
// null when there is none.
const ZipEntry* FindArchiveEntry(const ZipDirectory& root, const std::u16string& inside,
                                 const ZipDirectory** folder = nullptr);

// For a path filed as an archive entry: the choice the Open dialog makes of
// that entry; nothing when the path names no entry of an archive, or (with
// `problem` saying why) when the entry cannot be taken out.
std::optional<OpenFileChoice> ArchiveEntryChoice(const std::u16string& path, std::u16string& problem);
