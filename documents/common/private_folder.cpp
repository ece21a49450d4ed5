#include "documents/common/private_folder.h"

#include <cstdlib>
#include <filesystem>

#include "platform/unicode.h"

PrivateFolder::PrivateFolder(const std::string& prefix) {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / (prefix + "-XXXXXX")).string();
  if (!error && mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::u16string PrivateFolder::WithSeparator() const {
  std::u16string wide;
  Utf8ToUtf16(path_ + "/", &wide);
  return wide;
}
