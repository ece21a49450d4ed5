#include "platform/registry_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/registry_format.h"

namespace {

char16_t FoldChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // Latin-1
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;              // а..я
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;              // ѐ..џ, ё among them
  return c;
}

std::string ParentDir(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool MakeDirs(const std::string& dir) {
  struct stat st;
  if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::string parent = ParentDir(dir);
  if (parent != dir && !MakeDirs(parent)) return false;
  return mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

LONG ErrorFromErrno(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED
                                                              : ERROR_REGISTRY_IO_FAILED;
}

// Serialises the changes of all processes using one registry file.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
  }
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Removes what writes killed before their rename left: ".NAME.XXXXXX"
// files beside the registry file. Callers hold the lock file, so no live
// writer owns one.
void RemoveStaleTemporaries(const std::string& dir, const std::string& base) {
  DIR* folder = opendir(dir.c_str());
  if (folder == nullptr) return;
  const std::string prefix = "." + base + ".";
  constexpr size_t kUniqueChars = 6;  // what mkostemp puts in place of XXXXXX
  while (const dirent* entry = readdir(folder)) {
    std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kUniqueChars || !name.starts_with(prefix)) continue;
    std::string_view unique = name.substr(prefix.size());
    if (!std::all_of(unique.begin(), unique.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
      continue;
    struct stat st;
    if (fstatat(dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    unlinkat(dirfd(folder), entry->d_name, 0);
  }
  closedir(folder);
}

void EnsureRoots(RegistryKey& root) {
  root.AddSubkey(kLocalMachineName);
  root.AddSubkey(kCurrentUserName);
}

}  // namespace

std::u16string FoldRegistryName(std::u16string_view name) {
  std::u16string folded(name);
  for (auto& c : folded) c = FoldChar(c);
  return folded;
}

RegistryKey* RegistryKey::FindSubkey(std::u16string_view name) const {
  auto it = subkeys.find(FoldRegistryName(name));
  return it == subkeys.end() ? nullptr : it->second.get();
}

RegistryKey& RegistryKey::AddSubkey(std::u16string_view name) {
  auto& slot = subkeys[FoldRegistryName(name)];
  if (!slot) {
    slot = std::make_unique<RegistryKey>();
    slot->name = std::u16string(name);
  }
  return *slot;
}

bool RegistryKey::RemoveSubkey(std::u16string_view name) { return subkeys.erase(FoldRegistryName(name)) > 0; }

RegistryValue* RegistryKey::FindValue(std::u16string_view name) {
  const auto same = [](char16_t a, char16_t b) { return FoldChar(a) == FoldChar(b); };
  for (auto& value : values) {
    if (std::ranges::equal(value.name, name, same)) return &value;
  }
  return nullptr;
}

bool RegistryKey::RemoveValue(std::u16string_view name) {
  RegistryValue* value = FindValue(name);
  if (value == nullptr) return false;
  const size_t index = static_cast<size_t>(value - values.data());
  values.erase(values.begin() + index);
  for (auto& lines : unread) {
    if (lines.beforeValue != UnreadLines::kAfterKey && lines.beforeValue > index) --lines.beforeValue;
  }
  return true;
}

RegistryStore::RegistryStore(std::string filePath) : path_(std::move(filePath)) { EnsureRoots(root_); }

RegistryStore& RegistryStore::Instance() {
  // Never destroyed: servers may still use the registry while the process exits.
  static RegistryStore* store = new RegistryStore(PathFromEnvironment());
  return *store;
}

std::string RegistryStore::PathFromEnvironment() {
  const char* named = std::getenv("PARLEN_REGISTRY");
  if (named != nullptr && *named != '\0') return named;
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    config = xdg;
  } else {
    if (home == nullptr || *home == '\0') {
      const passwd* user = getpwuid(getuid());
      home = user != nullptr ? user->pw_dir : ".";
    }
    config = std::string(home) + "/.config";
  }
  return config + "/parlen/registry.reg";
}

void RegistryStore::ReportOnce(const std::string& message) {
  if (reported_.insert(message).second) std::fprintf(stderr, "registry: %s\n", message.c_str());
}

void RegistryStore::RefreshLocked() {
  struct stat st;
  FileIdentity now;
  if (stat(path_.c_str(), &st) == 0) {
    now = {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
  } else if (errno != ENOENT) {
    ReportOnce(path_ + ": " + std::strerror(errno));
    return;
  }
  if (everLoaded_ && now == loaded_) return;
  LoadLocked();
}

void RegistryStore::LoadLocked() {
  RegistryKey fresh;
  FileIdentity identity;
  int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) ReportOnce(path_ + ": cannot read: " + std::strerror(errno));
  } else {
    struct stat st;
    std::string text;
    if (fstat(fd, &st) == 0) {
      identity = {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
      char buf[65536];
      ssize_t n;
      while ((n = read(fd, buf, sizeof buf)) != 0) {
        if (n < 0) {
          if (errno == EINTR) continue;
          ReportOnce(path_ + ": cannot read: " + std::strerror(errno));
          break;
        }
        text.append(buf, static_cast<size_t>(n));
      }
    }
    close(fd);
    std::vector<std::string> problems;
    ParseRegistryText(text, fresh, &problems);
    for (const auto& problem : problems) ReportOnce(path_ + ": " + problem + " (kept as it is)");
  }
  EnsureRoots(fresh);
  root_ = std::move(fresh);
  loaded_ = identity;
  everLoaded_ = true;
}

RegistryKey* RegistryStore::FindLocked(const RegistryPath& key) {
  RegistryKey* node = &root_;
  for (const auto& name : key) {
    node = node->FindSubkey(name);
    if (node == nullptr) return nullptr;
  }
  return node;
}

template <class Change>
LONG RegistryStore::Modify(Change change) {
  std::lock_guard lock(mutex_);
  if (!MakeDirs(ParentDir(path_))) {
    int error = errno;
    ReportOnce("cannot make the folder of " + path_ + ": " + std::strerror(error));
    return ErrorFromErrno(error);
  }
  FileLock fileLock(path_ + ".lock");
  if (!fileLock.held()) {
    int error = errno;
    ReportOnce("cannot lock " + path_ + ".lock: " + std::strerror(error));
    return ErrorFromErrno(error);
  }
  RefreshLocked();
  bool changed = false;
  LONG result = change(changed);
  if (changed) {
    LONG saved = SaveLocked();
    if (saved != ERROR_SUCCESS) {
      LoadLocked();  // back to what the file holds
      result = saved;
    }
  }
  return result;
}

LONG RegistryStore::SaveLocked() {
  std::string text = FormatRegistryText(root_);
  std::string dir = ParentDir(path_);
  std::string base = path_.substr(path_.rfind('/') + 1);
  std::string temp = dir + "/." + base + ".XXXXXX";
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    ReportOnce("cannot write in " + dir + ": " + std::strerror(error));
    return ErrorFromErrno(error);
  }
  struct stat old;
  mode_t mode = stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  struct stat st;
  bool ok = WriteAll(fd, text) && fchmod(fd, mode) == 0 && fsync(fd) == 0 && fstat(fd, &st) == 0;
  int error = errno;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temp.c_str(), path_.c_str()) != 0) {
    error = errno;
    ok = false;
  }
  if (!ok) {
    unlink(temp.c_str());
    ReportOnce("cannot write " + path_ + ": " + std::strerror(error));
    return ErrorFromErrno(error);
  }
  RemoveStaleTemporaries(dir, base);
  int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  loaded_ = {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
  return ERROR_SUCCESS;
}

bool RegistryStore::KeyExists(const RegistryPath& key) {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  return FindLocked(key) != nullptr;
}

LONG RegistryStore::CreateKey(const RegistryPath& key, size_t mustExist, bool* created) {
  *created = false;
  if (KeyExists(key)) return ERROR_SUCCESS;  // no lock file for the common case
  return Modify([&](bool& changed) -> LONG {
    RegistryKey* node = &root_;
    for (size_t i = 0; i < key.size(); ++i) {
      RegistryKey* sub = node->FindSubkey(key[i]);
      if (sub == nullptr) {
        if (i < mustExist) return ERROR_KEY_DELETED;
        sub = &node->AddSubkey(key[i]);
        changed = true;
      }
      node = sub;
    }
    *created = changed;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::DeleteKey(const RegistryPath& key) {
  if (key.size() <= 1) return ERROR_ACCESS_DENIED;
  return Modify([&](bool& changed) -> LONG {
    RegistryKey* parent = FindLocked(RegistryPath(key.begin(), key.end() - 1));
    if (parent == nullptr || !parent->RemoveSubkey(key.back())) return ERROR_FILE_NOT_FOUND;
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::QueryValue(const RegistryPath& key, std::u16string_view name, DWORD* type,
                               std::vector<BYTE>* data) {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  RegistryKey* node = FindLocked(key);
  if (node == nullptr) return ERROR_KEY_DELETED;
  RegistryValue* value = node->FindValue(name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  *type = value->type;
  *data = value->data;
  return ERROR_SUCCESS;
}

LONG RegistryStore::SetValue(const RegistryPath& key, std::u16string_view name, DWORD type, const BYTE* data,
                             size_t size) {
  std::vector<BYTE> bytes(data, data + size);
  return Modify([&](bool& changed) -> LONG {
    RegistryKey* node = FindLocked(key);
    if (node == nullptr) return ERROR_KEY_DELETED;
    RegistryValue* value = node->FindValue(name);
    if (value == nullptr) {
      node->values.push_back({std::u16string(name), type, std::move(bytes)});
      changed = true;
    } else if (value->type != type || value->data != bytes) {
      value->type = type;
      value->data = std::move(bytes);
      changed = true;
    }
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::DeleteValue(const RegistryPath& key, std::u16string_view name) {
  return Modify([&](bool& changed) -> LONG {
    RegistryKey* node = FindLocked(key);
    if (node == nullptr) return ERROR_KEY_DELETED;
    if (!node->RemoveValue(name)) return ERROR_FILE_NOT_FOUND;
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::EnumKey(const RegistryPath& key, DWORD index, std::u16string* name) {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  RegistryKey* node = FindLocked(key);
  if (node == nullptr) return ERROR_KEY_DELETED;
  if (index >= node->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  *name = std::next(node->subkeys.begin(), index)->second->name;
  return ERROR_SUCCESS;
}

LONG RegistryStore::EnumValue(const RegistryPath& key, DWORD index, RegistryValue* value) {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  RegistryKey* node = FindLocked(key);
  if (node == nullptr) return ERROR_KEY_DELETED;
  if (index >= node->values.size()) return ERROR_NO_MORE_ITEMS;
  *value = node->values[index];
  return ERROR_SUCCESS;
}
