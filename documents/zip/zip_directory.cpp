#include "documents/zip/zip_archive.h"

#include "foundation/code_pages.h"

void ZipDirectory::Clear() {
  folders_.clear();
  files_.clear();
  parent_ = nullptr;
}

namespace {

// "name (2).ext" for a file, "name (2)" for a folder: the first number
// whose name is still free.
template <typename Map>
std::string FreeName(const Map& taken, const std::string& name, bool isFile) {
  const size_t dot = isFile ? name.rfind('.') : std::string::npos;
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : std::string();
  for (int n = 2;; ++n) {
    std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
    if (taken.count(candidate) == 0) return candidate;
  }
}

}  // namespace

std::string ZipDirectory::AddFile(const std::string& name, const ZipEntry& entry) {
  const std::string stored = files_.count(name) == 0 ? name : FreeName(files_, name, true);
  files_[stored] = entry;
  return stored;
}

int ZipDirectory::RecodeNames(const std::function<std::string(const std::string&)>& recode) {
  int renamed = 0;
  Folders folders;
  for (auto& [name, folder] : folders_) {
    renamed += folder->RecodeNames(recode);
    std::string recoded = recode(name);
    if (folders.count(recoded) != 0) {
      recoded = FreeName(folders, recoded, false);
      ++renamed;
    }
    folders[recoded] = std::move(folder);
  }
  Files files;
  for (const auto& [name, entry] : files_) {
    std::string recoded = recode(name);
    if (files.count(recoded) != 0) {
      recoded = FreeName(files, recoded, true);
      ++renamed;
    }
    files[recoded] = entry;
  }
  folders_ = std::move(folders);
  files_ = std::move(files);
  return renamed;
}
