// Scratch files for the opening tests: documents of each kind and small
// ZIP archives with stored entries.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "documents/zip/zip_archive.h"

// A path in this test process's scratch folder (made on first use).
std::string Scratch(const std::string& name);
std::u16string Wide(const std::string& utf8);
std::string Utf8(const std::u16string& wide);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
bool Exists(const std::u16string& path);

// Stored (uncompressed) entries, with the location of each as the archive
// reader reports it.
struct ZipFixture {
  std::string path;
  std::vector<std::pair<std::string, ZipEntry>> entries;
};
ZipFixture WriteZip(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& files);
