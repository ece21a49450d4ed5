#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <string>

#include "documents/common/path_names.h"
#include "documents/zip/zip_archive.h"
#include "foundation/string_utils.h"
#include "platform/unicode.h"

namespace {

bool IsOwnFolder(const std::filesystem::path& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid();
}

// Creates the folder readable by the owner only; an existing folder is
// accepted when it is a folder owned by the user.
bool MakePrivateFolder(const std::string& path) {
  return mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && IsOwnFolder(path));
}

std::string CacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return cache;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache";
  return {};
}

// The folder of every extracted document (not made here); empty when there
// is no cache folder.
std::string ExtractionRootPath() {
  const std::string cache = CacheFolder();
  return cache.empty() ? std::string() : cache + "/parlen/extracted";
}

// The same folder, made private with the one above it; empty when it cannot
// be had.
std::string ExtractionRoot() {
  const std::string root = ExtractionRootPath();
  if (root.empty()) return {};
  const std::filesystem::path parlen = std::filesystem::path(root).parent_path();
  mkdir(parlen.parent_path().c_str(), 0700);
  return MakePrivateFolder(parlen) && MakePrivateFolder(root) ? root : std::string();
}

}  // namespace

std::u16string ZipExtractionPath(const std::u16string& archivePath, const ZipEntry& entry,
                                 const std::u16string& entryName) {
  const std::u16string fileName = GetPathFileName(entryName);
  const std::u16string archiveName = GetPathFileName(archivePath);
  if (fileName.empty() || fileName == u"." || fileName == u"..") return {};
  std::string folder = ExtractionRoot();
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
  if (!MakePrivateFolder(folder)) return {};
  std::u16string path;
  Utf8ToUtf16(folder + "/", &path);
  return path + fileName;
}

void RemoveExtractionLeftovers(const std::u16string& keep) {
  namespace fs = std::filesystem;
  // Files changed this recently may belong to another reader still running
  // (an extraction under way, a document it has just opened).
  constexpr auto kQuiet = std::chrono::minutes(10);
  const fs::path root = ExtractionRootPath();
  if (root.empty() || !IsOwnFolder(root)) return;
  const fs::path kept = fs::path(Utf16ToUtf8(keep)).lexically_normal();
  const fs::path keptText = fs::path(kept.string() + ".auto");
  const auto quietSince = fs::file_time_type::clock::now() - kQuiet;
  std::error_code error;
  for (const fs::directory_entry& folder : fs::directory_iterator(root, error)) {
    if (!IsOwnFolder(folder.path())) continue;
    std::error_code inner;
    for (const fs::directory_entry& file : fs::directory_iterator(folder.path(), inner)) {
      const fs::path path = file.path().lexically_normal();
      if (!file.is_regular_file(inner) || file.is_symlink(inner)) continue;
      if (EndsWith(path.string(), ".trc") || path == kept || path == keptText) continue;
      std::error_code when;
      if (fs::last_write_time(file.path(), when) > quietSince || when) continue;
      unlink(file.path().c_str());
    }
    // A folder left empty goes too (rmdir refuses one that is not).
    rmdir(folder.path().c_str());
  }
}
