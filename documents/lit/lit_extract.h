// Writing the book's main file out of a LIT container.
#pragma once

#include <string>
#include <vector>

#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_manifest.h"

// Writes the book's documents (LitReadingOrder), rebuilt as HTML and joined
// in reading order, into one file in the folder (which ends in a
// separator); a book without documents gives its first file stored as
// bytes. *mainPath names the file written; *unread gets the file names of
// the documents that could not be read (the others are written). 0, or a
// negative code when nothing could be written.
int LitExtractBook(lit_file* lit, const std::u16string& source, const std::u16string& folder,
                   std::u16string* mainPath, std::vector<std::string>* unread);
// Rebuilds a tag-stream file as HTML (packageMode: as a package document)
// onto *out; 1 when the rebuilt stream ended before the stored one, 0 on
// success, or a negative code.
int LitRebuild(lit_file* lit, const char* internalName, bool packageMode,
               const lit_manifest* manifest, std::string* out);
// Writes an internal file's bytes; 0 or -1.
int LitWriteRawFile(lit_file* lit, const char* internalName, const std::u16string& path);
// The item's book file name reduced to its last component, with bytes that
// are unsafe in a file name replaced by '_'.
std::string LitSafeFileName(const std::string& fileName);
