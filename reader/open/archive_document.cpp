#include "reader/open/archive_document.h"

#include <filesystem>

#include "documents/common/document_kind.h"
#include "documents/zip/zip_archive.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"

namespace {

// The one file below the folder, or null for none or several; `holder` gets
// its folder.
const ZipDirectory::Files::value_type* SoleFile(const ZipDirectory& folder, size_t& seen,
                                                const ZipDirectory*& holder) {
  const ZipDirectory::Files::value_type* found = nullptr;
  for (const auto& file : folder.files()) {
    if (++seen > 1) return nullptr;
    found = &file;
    holder = &folder;
  }
  for (const auto& [name, sub] : folder.folders()) {
    const auto* inside = SoleFile(*sub, seen, holder);
    if (seen > 1) return nullptr;
    if (inside != nullptr) found = inside;
  }
  return found;
}

bool IsRegularFile(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(Utf16ToUtf8(path)), error);
}

}  // namespace

ArchiveContents ReadArchiveDocument(const std::u16string& archive, ZipDirectory& root,
                                    std::optional<OpenFileChoice>& sole, std::u16string& problem) {
  sole.reset();
  problem.clear();
  if (!ReadZipArchive(archive.c_str(), root)) return ArchiveContents::kUnreadable;
  size_t seen = 0;
  const ZipDirectory* holder = nullptr;
  const auto* file = SoleFile(root, seen, holder);
  if (seen == 0) return ArchiveContents::kEmpty;
  if (file == nullptr) return ArchiveContents::kFiles;
  const std::u16string target =
      ZipExtractionPath(archive, file->second, NarrowToWide(file->first), &problem);
  if (!target.empty())
    sole = OpenFileChoice{target, true, archive, file->second, PathInArchive(*holder, file->first)};
  return ArchiveContents::kFiles;
}

std::u16string PathInArchive(const ZipDirectory& folder, const std::string& fileName) {
  std::u16string path = NarrowToWide(fileName);
  for (const ZipDirectory* node = &folder; node->parent() != nullptr; node = node->parent()) {
    for (const auto& [name, sub] : node->parent()->folders()) {
      if (sub.get() == node) {
        path = NarrowToWide(name) + u"/" + path;
        break;
      }
    }
  }
  return path;
}

std::u16string FiledPath(const OpenFileChoice& choice) {
  if (!choice.fromArchive || choice.entryName.empty()) return choice.chosenPath;
  return choice.archivePath + u"/" + choice.entryName;
}

bool SplitArchiveEntryPath(const std::u16string& path, std::u16string& archive, std::u16string& inside) {
  // Only names of archives are looked at on the disk.
  for (size_t slash = path.find(u'/', 1); slash != std::u16string::npos; slash = path.find(u'/', slash + 1)) {
    const std::u16string head = path.substr(0, slash);
    if (slash + 1 < path.size() && IsZipFileName(head) && IsRegularFile(head)) {
      archive = head;
      inside = path.substr(slash + 1);
      return true;
    }
  }
  return false;
}

const ZipEntry* FindArchiveEntry(const ZipDirectory& root, const std::u16string& inside,
                                 const ZipDirectory** folder) {
  const ZipDirectory* node = &root;
  size_t from = 0;
  for (size_t slash = inside.find(u'/'); slash != std::u16string::npos; slash = inside.find(u'/', from)) {
    const std::u16string name = inside.substr(from, slash - from);
    const ZipDirectory* next = nullptr;
    for (const auto& [each, sub] : node->folders())
      if (NarrowToWide(each) == name) next = sub.get();
    if (next == nullptr) return nullptr;
    node = next;
    from = slash + 1;
  }
  const std::u16string name = inside.substr(from);
  for (const auto& [each, entry] : node->files()) {
    if (NarrowToWide(each) != name) continue;
    if (folder != nullptr) *folder = node;
    return &entry;
  }
  return nullptr;
}

std::optional<OpenFileChoice> ArchiveEntryChoice(const std::u16string& path, std::u16string& problem) {
  problem.clear();
  std::u16string archive, inside;
  if (IsRegularFile(path) || !SplitArchiveEntryPath(path, archive, inside)) return std::nullopt;
  ZipDirectory root;
  if (!ReadZipArchive(archive.c_str(), root)) return std::nullopt;
  const ZipEntry* entry = FindArchiveEntry(root, inside);
  if (entry == nullptr) return std::nullopt;
  const std::u16string target =
      ZipExtractionPath(archive, *entry, inside.substr(inside.rfind(u'/') + 1), &problem);
  if (target.empty()) return std::nullopt;
  return OpenFileChoice{target, true, archive, *entry, inside};
}
