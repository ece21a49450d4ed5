// What the open-file dialog lists of a folder: subfolders, then ZIP
// archives (shown as folders), then the other files, each group sorted by
// UTF-16 code units; the reader's own side files are left out.
#pragma once

#include <string>
#include <vector>

struct FolderListing {
  std::vector<std::u16string> folders;  // subfolders, then archives
  std::vector<std::u16string> files;
};

// At least 5 characters ending in ".zip" (any case).
bool IsZipName(const std::u16string& name);
// ".trc" (at least 5 characters) or ".auto" (at least 6), any case.
bool IsSideFileName(const std::u16string& name);

// The entries of the folder; a folder that cannot be read lists as empty.
FolderListing ListFolder(const std::u16string& folder);

// The folder part of a path, up to and including its last '/' ("/" when
// there is none).
std::u16string FolderOfPath(const std::u16string& path);
