// A folder of its own under the system's temporary folder for the
// intermediate files of a conversion, removed with everything in it.
#pragma once

#include <string>

// The prefixes of the conversions' folders.
inline constexpr char kRbFolderPrefix[] = "parlen-rb";
inline constexpr char kLitFolderPrefix[] = "parlen-lit";

class PrivateFolder {
 public:
  // The folder's name begins with the prefix ("parlen-lit").
  explicit PrivateFolder(const std::string& prefix);
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  bool Ok() const { return !path_.empty(); }
  // Empty when the folder could not be made.
  const std::string& Path() const { return path_; }
  // The path followed by "/", as UTF-16.
  std::u16string WithSeparator() const;

 private:
  std::string path_;
};
