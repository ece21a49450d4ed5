#include "documents/zip/zip_archive.h"

#include "foundation/code_pages.h"

void ZipDirectory::Clear() {
  folders_.clear();
  files_.clear();
  parent_ = nullptr;
}

void ZipDirectory::RecodeNames(const std::function<std::string(const std::string&)>& recode) {
  Folders folders;
  for (auto& [name, folder] : folders_) {
    folder->RecodeNames(recode);
    folders[recode(name)] = std::move(folder);
  }
  Files files;
  for (const auto& [name, entry] : files_) files[recode(name)] = entry;
  folders_ = std::move(folders);
  files_ = std::move(files);
}

void ZipDirectory::CopyConvertedNames() {
  const CodePageConverter& converter = GlobalCodePageConverter();
  RecodeNames([&converter](const std::string& name) { return converter.Converted(name); });
}
