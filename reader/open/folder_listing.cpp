#include "reader/open/folder_listing.h"

#include <algorithm>
#include <filesystem>

#include "platform/unicode.h"

namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EndsWithNoCase(const std::u16string& name, std::u16string_view suffix, size_t minLength) {
  if (name.size() < minLength || name.size() < suffix.size()) return false;
  const size_t from = name.size() - suffix.size();
  for (size_t i = 0; i < suffix.size(); ++i) {
    if (LowerAscii(name[from + i]) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsZipName(const std::u16string& name) { return EndsWithNoCase(name, u".zip", 5); }

bool IsSideFileName(const std::u16string& name) {
  return EndsWithNoCase(name, u".trc", 5) || EndsWithNoCase(name, u".auto", 6);
}

FolderListing ListFolder(const std::u16string& folder) {
  namespace fs = std::filesystem;
  FolderListing listing;
  std::vector<std::u16string> archives;
  std::error_code error;
  fs::directory_iterator it(fs::path(Utf16ToUtf8(folder)), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::u16string name;
    if (!Utf8ToUtf16(it->path().filename().string(), &name)) continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) {
      listing.folders.push_back(name);
    } else if (!it->is_regular_file(kindError)) {
      continue;  // a pipe, device or socket is no document
    } else if (IsZipName(name)) {
      archives.push_back(name);
    } else if (!IsSideFileName(name)) {
      listing.files.push_back(name);
    }
  }
  std::sort(listing.folders.begin(), listing.folders.end());
  std::sort(archives.begin(), archives.end());
  std::sort(listing.files.begin(), listing.files.end());
  listing.folders.insert(listing.folders.end(), archives.begin(), archives.end());
  return listing;
}

std::u16string FolderOfPath(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'/');
  return slash == std::u16string::npos ? u"/" : path.substr(0, slash + 1);
}
