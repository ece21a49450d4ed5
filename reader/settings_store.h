// CSettingsStore: the reader's key/value store and the text file behind it
// ("key=value" lines, 8-bit Windows-1251). It knows nothing of keys; it
// converts numbers, flags and UTF-16 text on the way in and out and writes
// the file only when something changed.
#pragma once

#include <map>
#include <string>

#include "platform/types.h"

// Keys ordered by unsigned byte value, so the file's line order does not
// depend on the signedness of char.
struct SettingsKeyLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class CSettingsStore {
 public:
  CSettingsStore() = default;
  virtual ~CSettingsStore();

  // Clears the store, reads the file (a missing or unreadable one gives no
  // entries) and keeps the path. Always 1.
  int Load(const std::u16string& path);
  // Writes the store to its path when dirty. 0 without a path or when the
  // file could not be written; the previous file is then left whole,
  // because the text goes to a temporary file that is renamed over it.
  int Save();
  void Clear();

  // The setters replace or add the entry and set dirty; an empty value
  // removes the entry, since "key=" reads back as no entry. A key or value that
  // would not read back as itself (empty key, '=', a line break, '#' at the
  // start of the key, blanks or tabs at either end) is refused: the store is
  // left unchanged and the result is false, so one bad value cannot spoil
  // the lines after it.
  bool SetInt(const std::string& key, INT value);
  bool SetBool(const std::string& key, bool value);
  bool SetString(const std::string& key, const std::string& value);
  bool SetWideString(const std::string& key, const std::u16string& value);
  // A file path, kept whole whatever its characters (StorablePath); false
  // when the line would be too long to read back.
  bool SetPath(const std::string& key, const std::u16string& path);

  // Each returns 1 when the key exists and 0 when it does not, after first
  // setting its output to the empty value.
  int GetInt(const std::string& key, INT& out) const;
  int GetBool(const std::string& key, bool& out) const;
  int GetString(const std::string& key, std::string& out) const;
  int GetWideString(const std::string& key, std::u16string& out) const;
  int GetPath(const std::string& key, std::u16string& out) const;

  const std::u16string& Path() const { return path_; }
  bool IsDirty() const { return dirty_; }
  size_t Size() const { return entries_.size(); }

  // Whether the text survives a write and a read of the file unchanged.
  static bool IsStorableKey(const std::string& key);
  static bool IsStorableValue(const std::string& value);
  // The longest line the file's reader takes whole.
  static constexpr size_t kLongestLine = 9998;

  // A path as a value: Windows-1251 where its characters have a byte there,
  // and each other character (and the escape byte 0x98 itself, '=', ';',
  // control characters and blanks at either end) as 0x98 and four
  // upper-case hex digits of its UTF-16 unit. Windows-1251 has no character
  // at 0x98, so no file written before holds the escape and every old value
  // reads back as it was.
  static std::string StorablePath(const std::u16string& path);
  static std::u16string PathFromStored(const std::string& value);

 private:
  std::map<std::string, std::string, SettingsKeyLess> entries_;
  std::u16string path_;
  bool dirty_ = false;
};

// atoi semantics: leading blanks, optional sign, digits up to the first
// non-digit; 0 when there are none. Saturates instead of overflowing.
INT SettingsAtoi(const std::string& text);
