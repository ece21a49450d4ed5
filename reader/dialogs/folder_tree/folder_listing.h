// What the folder-tree dialog shows of a folder: its visible subfolders and
// files, with sizes and dates as the file list writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/window_types.h"

struct FolderFileRecord {
  std::u16string name;
  uint64_t size = 0;
  SYSTEMTIME modified;  // local time
};

// Hidden entries (a leading "."), and among files the per-document settings
// files (".trc"), are left out. Both lists are in name order.
std::vector<std::u16string> ListSubfolders(const std::u16string& folder);
std::vector<FolderFileRecord> ListFiles(const std::u16string& folder);

// Up to 1024 bytes in bytes, then kilobytes with "K", above 1048576 bytes
// megabytes with "M".
std::u16string FormatFileSize(uint64_t bytes);

// Sort column 1 name, 2 size, 3 date; negative for descending.
void SortFileRecords(std::vector<FolderFileRecord>& files, int column);

// The locale's short date as a picture ("dd.MM.yyyy" and the like).
std::u16string ShortDatePicture();

// The tree's root: `Name` under \Ident of the local machine, or "My Device".
std::u16string DeviceName();
