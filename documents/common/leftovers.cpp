#include "documents/common/leftovers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

#include "documents/common/cache_folder.h"
#include "documents/common/private_folder.h"

namespace fs = std::filesystem;

namespace {

bool IsOwnedBy(const struct stat& st) { return st.st_uid == getuid(); }

bool ChangedSince(const struct stat& st, std::chrono::system_clock::time_point since) {
  const auto changed = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
  return changed > since;
}

bool QuietSince(const fs::path& path, std::chrono::system_clock::time_point since) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || ChangedSince(st, since)) return false;
  if (!S_ISDIR(st.st_mode)) return true;
  std::error_code error;
  for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
    if (!QuietSince(it->path(), since)) return false;
  }
  return !error;
}

}  // namespace

bool IsQuietLeftover(const fs::path& path) {
  return QuietSince(path, std::chrono::system_clock::now() - kLeftoverQuiet);
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kUniqueLetters || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

bool RemoveLeftoverFile(const fs::path& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return true;
  return S_ISREG(st.st_mode) && IsOwnedBy(st) && IsQuietLeftover(path) &&
         unlink(path.c_str()) == 0;
}

void RemoveConversionFolderLeftovers() {
  std::error_code error;
  const fs::path temporary = fs::temp_directory_path(error);
  if (error) return;
  for (fs::directory_iterator it(temporary, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!IsTemporaryName(name, std::string(kRbFolderPrefix) + "-") &&
        !IsTemporaryName(name, std::string(kLitFolderPrefix) + "-"))
      continue;
    if (!IsOwnFolder(it->path().string()) || !IsQuietLeftover(it->path())) continue;
    std::error_code ignored;
    fs::remove_all(it->path(), ignored);
  }
}
