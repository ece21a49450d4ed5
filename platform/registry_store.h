// The registry behind the Reg* functions: a tree of keys kept in a text
// file in the format of a Windows registry export.
//
// One store per process (RegistryStore::Instance, in the shared platform
// library, so every deliverable sees the others' changes at once). Every
// change takes a lock file, re-reads the file when another process changed
// it, and writes the whole file anew (temporary file, fsync, rename), so a
// crash never leaves a half-written registry; a write removes the temporary
// files that killed writers left. Lines the store cannot read are written
// back as they stood. Before each operation a stat of the file tells whether
// another process has changed it since.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "platform/types.h"

struct RegistryValue {
  std::u16string name;  // empty: the default value
  DWORD type = 0;
  std::vector<BYTE> data;
};

// Lines of the file that could not be read, written back as they stood.
struct UnreadLines {
  // Where they stood: before the value of this index among the key's values,
  // or kAfterKey: after the key's values (a damaged key and what followed it).
  static constexpr size_t kAfterKey = static_cast<size_t>(-1);
  size_t beforeValue = kAfterKey;
  std::string text;  // the lines as read, without the last line break
};

// Key and value names compare without regard to case; a name keeps the
// spelling it was first given.
struct PLATFORM_API RegistryKey {
  std::u16string name;
  std::vector<RegistryValue> values;                            // in order of creation
  std::vector<UnreadLines> unread;                              // in file order
  std::map<std::u16string, std::unique_ptr<RegistryKey>> subkeys;  // by folded name

  RegistryKey* FindSubkey(std::u16string_view name) const;
  RegistryKey& AddSubkey(std::u16string_view name);  // or the existing one
  bool RemoveSubkey(std::u16string_view name);
  RegistryValue* FindValue(std::u16string_view name);
  bool RemoveValue(std::u16string_view name);
};

// Upper-case form used to compare names (ASCII, Latin-1 and Cyrillic).
PLATFORM_API std::u16string FoldRegistryName(std::u16string_view name);

// Root key names as written in the file. HKEY_CLASSES_ROOT is kept under
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
inline constexpr std::u16string_view kLocalMachineName = u"HKEY_LOCAL_MACHINE";
inline constexpr std::u16string_view kCurrentUserName = u"HKEY_CURRENT_USER";

// A key's place: its root's name, then the names below it.
using RegistryPath = std::vector<std::u16string>;

class PLATFORM_API RegistryStore {
 public:
  // The file need not exist; it (and its folders) are made on the first change.
  explicit RegistryStore(std::string filePath);
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // The process's store, on the file named by PARLEN_REGISTRY, else
  // ${XDG_CONFIG_HOME:-$HOME/.config}/parlen/registry.reg, fixed at first use.
  static RegistryStore& Instance();
  static std::string PathFromEnvironment();

  const std::string& path() const { return path_; }

  // Results are Win32 error codes. A path whose key is missing gives
  // ERROR_FILE_NOT_FOUND when looking the key up (KeyExists, DeleteKey) and
  // ERROR_KEY_DELETED when working inside it.
  bool KeyExists(const RegistryPath& key);
  // Creates the key and the keys above it; the first mustExist names of
  // the path must already be there (ERROR_KEY_DELETED otherwise).
  LONG CreateKey(const RegistryPath& key, size_t mustExist, bool* created);
  // Deletes the key with everything under it; roots cannot be deleted.
  LONG DeleteKey(const RegistryPath& key);
  LONG QueryValue(const RegistryPath& key, std::u16string_view name, DWORD* type,
                  std::vector<BYTE>* data);
  LONG SetValue(const RegistryPath& key, std::u16string_view name, DWORD type, const BYTE* data,
                size_t size);
  LONG DeleteValue(const RegistryPath& key, std::u16string_view name);
  // Subkeys in order of their folded names, values in order of creation.
  LONG EnumKey(const RegistryPath& key, DWORD index, std::u16string* name);
  LONG EnumValue(const RegistryPath& key, DWORD index, RegistryValue* value);

 private:
  struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    bool operator==(const FileIdentity&) const = default;
  };

  // Reading side; the caller holds mutex_.
  void RefreshLocked();
  void LoadLocked();
  RegistryKey* FindLocked(const RegistryPath& key);
  // Writing side: takes the lock file, refreshes, applies change (which
  // returns its result and whether it changed anything) and saves.
  template <class Change>
  LONG Modify(Change change);
  LONG SaveLocked();
  void ReportOnce(const std::string& message);

  std::string path_;
  std::mutex mutex_;
  RegistryKey root_;  // its subkeys are the root keys
  FileIdentity loaded_;
  bool everLoaded_ = false;
  std::set<std::string> reported_;
};
