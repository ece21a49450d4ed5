// What a conversion or an extraction that was killed on the way leaves
// behind, and its removal by a later run. Only the program's own names are
// touched, and only once they have been left alone for kLeftoverQuiet: a
// younger file may belong to another reader that is still writing it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

inline constexpr auto kLeftoverQuiet = std::chrono::minutes(10);
// mkstemp's and mkdtemp's six letters and digits.
inline constexpr size_t kUniqueLetters = 6;

// Whether the file (a folder with everything in it) has not changed for
// kLeftoverQuiet. False when it cannot be told.
bool IsQuietLeftover(const std::filesystem::path& path);

// Whether the name is the prefix followed by mkstemp's six letters or digits.
bool IsTemporaryName(const std::string& name, const std::string& prefix);

// Removes a regular file of the user's own once quiet. Whether it is gone.
bool RemoveLeftoverFile(const std::filesystem::path& path);

// Removes the private folders of conversions ("parlen-rb-XXXXXX",
// "parlen-lit-XXXXXX") from the system's temporary folder.
void RemoveConversionFolderLeftovers();
