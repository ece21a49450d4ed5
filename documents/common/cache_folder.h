// The program's folders under the user's cache folder
// (${XDG_CACHE_HOME:-~/.cache}/parlen/<name>), private to the user.
#pragma once

#include <string>

// "<cache>/parlen/<name>", not made; empty when neither XDG_CACHE_HOME nor
// HOME names a cache folder.
std::string ProgramCachePath(const std::string& name);

// The same folder, made readable by the owner only with the one above it;
// empty, with the reason in problem, when it cannot be had.
std::string ProgramCacheFolder(const std::string& name, std::string& problem);

// Makes the folder readable by the owner only; an existing folder is
// accepted when it is a folder owned by the user. Empty when the folder is
// there; otherwise why not.
std::string PrivateFolderProblem(const std::string& path);

// A folder (not a link to one) owned by the user.
bool IsOwnFolder(const std::string& path);
