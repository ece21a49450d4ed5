// reg_write KEY ENTRY... [KEY ENTRY...]...: writes values under keys of the
// local machine (created when missing) into the registry file the platform
// library uses (PARLEN_REGISTRY). The installation steps of the linguistic
// data, the phonetic base, the English rules and the voice all write their
// entries with it.
//   NAME=VALUE  a string value
//   NAME?=N     a DWORD value, written only when the name holds no DWORD yet
//               (a counter the reader keeps survives a new installation)
// An argument without "=" names the key of the entries after it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/registry.h"
#include "platform/registry_store.h"
#include "platform/unicode.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: reg_write KEY ENTRY... [KEY ENTRY...]...\n"
               "  KEY is a path under HKEY_LOCAL_MACHINE, e.g. \"Software\\Morvane\\Voices\\Name\";\n"
               "  ENTRY is NAME=VALUE (a string value) or NAME?=N (a DWORD value, written\n"
               "  only when the name holds no DWORD yet); arguments are UTF-8.\n");
  return 2;
}

struct Entry {
  std::u16string name;
  std::u16string text;    // string value
  DWORD number = 0;       // DWORD value
  bool keepDword = false;  // NAME?=N
};

// False when the argument is not a well-formed entry.
bool ParseEntry(const std::string& argument, Entry* entry) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos) return false;
  entry->keepDword = equals > 0 && argument[equals - 1] == '?';
  const size_t nameEnd = entry->keepDword ? equals - 1 : equals;
  if (nameEnd == 0 || !Utf8ToUtf16(argument.substr(0, nameEnd), &entry->name)) return false;
  const std::string value = argument.substr(equals + 1);
  if (!entry->keepDword) return Utf8ToUtf16(value, &entry->text);
  if (value.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long number = std::strtoull(value.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || value[0] == '-' || number > 0xFFFFFFFFull) return false;
  entry->number = static_cast<DWORD>(number);
  return true;
}

LONG Write(HKEY key, const Entry& entry) {
  if (!entry.keepDword)
    return RegSetValueExW(key, entry.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(entry.text.c_str()),
                          static_cast<DWORD>((entry.text.size() + 1) * sizeof(char16_t)));
  DWORD type = 0;
  if (RegQueryValueExW(key, entry.name.c_str(), nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
      type == REG_DWORD)
    return ERROR_SUCCESS;
  return RegSetValueExW(key, entry.name.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&entry.number), sizeof entry.number);
}

class Key {
 public:
  ~Key() { Close(); }
  void Close() {
    if (handle_ != nullptr) RegCloseKey(handle_);
    handle_ = nullptr;
  }
  LONG Create(const std::u16string& path) {
    Close();
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &handle_, nullptr);
  }
  HKEY handle() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::string(argv[1]).find('=') != std::string::npos) return Usage();
  // Every argument is checked before anything is written.
  for (int i = 1; i < argc; ++i) {
    Entry entry;
    const std::string argument = argv[i];
    if (argument.find('=') == std::string::npos) {
      std::u16string path;
      if (!Utf8ToUtf16(argument, &path) || path.empty() || i + 1 == argc ||
          std::string(argv[i + 1]).find('=') == std::string::npos)
        return Usage();
    } else if (!ParseEntry(argument, &entry)) {
      std::fprintf(stderr, "reg_write: malformed entry %s\n", argv[i]);
      return Usage();
    }
  }
  Key key;
  const char* keyName = nullptr;
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.find('=') == std::string::npos) {
      std::u16string path;
      Utf8ToUtf16(argument, &path);
      keyName = argv[i];
      if (const LONG status = key.Create(path); status != ERROR_SUCCESS) {
        std::fprintf(stderr, "reg_write: cannot create %s (error %d)\n", keyName,
                     static_cast<int>(status));
        return 1;
      }
      continue;
    }
    Entry entry;
    ParseEntry(argument, &entry);
    if (const LONG status = Write(key.handle(), entry); status != ERROR_SUCCESS) {
      std::fprintf(stderr, "reg_write: cannot set %s in %s (error %d)\n", argv[i], keyName,
                   static_cast<int>(status));
      ++failures;
    }
  }
  key.Close();
  if (failures != 0) return 1;
  std::printf("reg_write: entries written in %s\n", RegistryStore::Instance().path().c_str());
  return 0;
}
