#include "documents/common/cache_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string CacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return cache;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache";
  return {};
}

}  // namespace

bool IsOwnFolder(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid();
}

std::string PrivateFolderProblem(const std::string& path) {
  if (mkdir(path.c_str(), 0700) == 0) return {};
  const int why = errno;
  struct stat st;
  if (why != EEXIST) return path + " cannot be made (" + std::strerror(why) + ")";
  if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return path + " is not a folder";
  if (st.st_uid != getuid()) return path + " belongs to another user";
  return {};
}

std::string ProgramCachePath(const std::string& name) {
  const std::string cache = CacheFolder();
  return cache.empty() ? std::string() : cache + "/parlen/" + name;
}

std::string ProgramCacheFolder(const std::string& name, std::string& problem) {
  const std::string cache = CacheFolder();
  if (cache.empty()) {
    problem = "there is no cache folder (neither XDG_CACHE_HOME nor HOME names one)";
    return {};
  }
  // The cache folder itself may be shared; it only has to be a folder.
  struct stat st;
  if (mkdir(cache.c_str(), 0700) != 0) {
    const int why = errno;
    if (stat(cache.c_str(), &st) != 0) {
      problem = cache + " cannot be made (" + std::strerror(why) + ")";
      return {};
    }
    if (!S_ISDIR(st.st_mode)) {
      problem = cache + " is not a folder";
      return {};
    }
  }
  const std::string parlen = cache + "/parlen";
  const std::string folder = parlen + "/" + name;
  problem = PrivateFolderProblem(parlen);
  if (problem.empty()) problem = PrivateFolderProblem(folder);
  return problem.empty() ? folder : std::string();
}
