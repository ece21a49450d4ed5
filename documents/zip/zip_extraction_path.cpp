#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "documents/common/path_names.h"
#include "documents/zip/zip_archive.h"
#include "platform/unicode.h"

namespace {

// Creates the folder readable by the owner only; an existing folder is
// accepted when it is a folder owned by the user.
bool MakePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) == 0) return true;
  struct stat st;
  return errno == EEXIST && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == getuid();
}

std::string CacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return cache;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache";
  return {};
}

}  // namespace

std::u16string ZipExtractionPath(const std::u16string& archivePath,
                                 const std::u16string& entryName) {
  const std::u16string fileName = GetPathFileName(entryName);
  const std::u16string archiveName = GetPathFileName(archivePath);
  if (fileName.empty() || fileName == u"." || fileName == u"..") return {};
  std::string folder = CacheFolder();
  if (folder.empty()) return {};
  mkdir(folder.c_str(), 0700);
  folder += "/parlen";
  if (!MakePrivateFolder(folder)) return {};
  folder += "/extracted";
  if (!MakePrivateFolder(folder)) return {};
  // One folder per archive: its name and a digest of its full path.
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (char16_t c : archivePath) hash = (hash ^ c) * 0x100000001b3ULL;
  char digest[20];
  std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
  folder += "/" + Utf16ToUtf8(archiveName) + "-" + digest;
  if (!MakePrivateFolder(folder)) return {};
  std::u16string path;
  Utf8ToUtf16(folder + "/", &path);
  return path + fileName;
}
