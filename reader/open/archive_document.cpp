#include "reader/open/archive_document.h"

#include "foundation/code_pages.h"
#include "documents/zip/zip_archive.h"

namespace {

// The one file below the folder, or null for none or several.
const ZipDirectory::Files::value_type* SoleFile(const ZipDirectory& folder, size_t& seen) {
  const ZipDirectory::Files::value_type* found = nullptr;
  for (const auto& file : folder.files()) {
    if (++seen > 1) return nullptr;
    found = &file;
  }
  for (const auto& [name, sub] : folder.folders()) {
    const auto* inside = SoleFile(*sub, seen);
    if (seen > 1) return nullptr;
    if (inside != nullptr) found = inside;
  }
  return found;
}

}  // namespace

ArchiveContents ReadArchiveDocument(const std::u16string& archive, ZipDirectory& root,
                                    std::optional<OpenFileChoice>& sole, std::u16string& problem) {
  sole.reset();
  problem.clear();
  if (!ReadZipArchive(archive.c_str(), root)) return ArchiveContents::kUnreadable;
  size_t seen = 0;
  const auto* file = SoleFile(root, seen);
  if (seen == 0) return ArchiveContents::kEmpty;
  if (file == nullptr) return ArchiveContents::kFiles;
  const std::u16string target =
      ZipExtractionPath(archive, file->second, NarrowToWide(file->first), &problem);
  if (!target.empty()) sole = OpenFileChoice{target, true, archive, file->second};
  return ArchiveContents::kFiles;
}
