#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "documents/common/cache_folder.h"
#include "documents/common/leftovers.h"
#include "documents/common/path_names.h"
#include "documents/zip/zip_archive.h"
#include "foundation/string_utils.h"
#include "platform/unicode.h"

namespace {

constexpr char kExtractionFolder[] = "extracted";

// The extraction path, or empty with the reason.
std::u16string ExtractionPath(const std::u16string& archivePath, const ZipEntry& entry,
                              const std::u16string& entryName, std::string& problem) {
  const std::u16string fileName = GetPathFileName(entryName);
  const std::u16string archiveName = GetPathFileName(archivePath);
  if (fileName.empty() || fileName == u"." || fileName == u"..") {
    problem = "its name is no file name";
    return {};
  }
  std::string folder = ProgramCacheFolder(kExtractionFolder, problem);
  if (folder.empty()) return {};
  // One folder per entry: the archive's name and a digest of its full path
  // and of where the entry lies in it.
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (char16_t c : archivePath) hash = (hash ^ c) * 0x100000001b3ULL;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t byte = (static_cast<uint32_t>(entry.dataOffset) >> shift) & 0xFF;
    hash = (hash ^ byte) * 0x100000001b3ULL;
  }
  char digest[20];
  std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
  folder += "/" + Utf16ToUtf8(archiveName) + "-" + digest;
  problem = PrivateFolderProblem(folder);
  if (!problem.empty()) return {};
  std::u16string path;
  Utf8ToUtf16(folder + "/", &path);
  return path + fileName;
}

}  // namespace

std::u16string ZipExtractionPath(const std::u16string& archivePath, const ZipEntry& entry,
                                 const std::u16string& entryName, std::u16string* problem) {
  std::string cause;
  std::u16string path = ExtractionPath(archivePath, entry, entryName, cause);
  if (path.empty() && problem != nullptr) {
    std::u16string why;
    Utf8ToUtf16(cause, &why);
    *problem = u"The archive entry " + GetPathFileName(entryName) +
               u" cannot be taken out of the archive: " + why + u".";
  }
  return path;
}

void RemoveExtractionLeftovers(const std::u16string& keep) {
  namespace fs = std::filesystem;
  const fs::path root = ProgramCachePath(kExtractionFolder);
  if (root.empty() || !IsOwnFolder(root)) return;
  const fs::path kept = fs::path(Utf16ToUtf8(keep)).lexically_normal();
  const fs::path keptText = fs::path(kept.string() + ".auto");
  std::error_code error;
  for (const fs::directory_entry& folder : fs::directory_iterator(root, error)) {
    if (!IsOwnFolder(folder.path().string())) continue;
    std::error_code inner;
    for (const fs::directory_entry& file : fs::directory_iterator(folder.path(), inner)) {
      const fs::path path = file.path().lexically_normal();
      if (!file.is_regular_file(inner) || file.is_symlink(inner)) continue;
      if (EndsWith(path.string(), ".trc") || path == kept || path == keptText) continue;
      // A file changed of late may belong to another reader still running
      // (an extraction under way, a document it has just opened).
      if (!IsQuietLeftover(file.path())) continue;
      unlink(file.path().c_str());
    }
    // A folder left empty goes too (rmdir refuses one that is not).
    rmdir(folder.path().c_str());
  }
}
