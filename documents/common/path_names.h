// Path pieces. Both '\' and '/' separate folders (paths from the device's
// settings use the former, the file system here the latter); a folder is
// given back with '/'.
#pragma once

#include <string>

std::u16string GetPathExtension(const std::u16string& path);
std::u16string GetPathFolder(const std::u16string& path);
std::u16string GetPathFileName(const std::u16string& path);
