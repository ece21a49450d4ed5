#include "documents/common/path_names.h"

#include <vector>

#include "foundation/string_utils.h"

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::vector<std::u16string> SplitPath(const std::u16string& path) {
  std::u16string unified = path;
  for (char16_t& c : unified) {
    if (c == u'/') c = u'\\';
  }
  std::vector<std::u16string> pieces;
  SplitWide(unified, pieces, u'\\');
  return pieces;
}

}  // namespace

std::u16string GetPathExtension(const std::u16string& path) {
  if (path.empty() || IsSeparator(path.back())) return {};
  const std::vector<std::u16string> pieces = SplitPath(path);
  if (pieces.empty()) return {};
  std::vector<std::u16string> parts;
  SplitWide(pieces.back(), parts, u'.');
  return parts.empty() ? std::u16string() : parts.back();
}

std::u16string GetPathFolder(const std::u16string& path) {
  if (path.empty()) return {};
  if (IsSeparator(path.back())) return path;
  const std::vector<std::u16string> pieces = SplitPath(path);
  if (pieces.size() <= 1) return IsSeparator(path.front()) ? u"/" : u"";
  std::u16string folder = u"/";
  for (size_t i = 0; i + 1 < pieces.size(); ++i) {
    folder += pieces[i];
    folder += u'/';
  }
  return folder;
}

std::u16string GetPathFileName(const std::u16string& path) {
  if (path.empty() || IsSeparator(path.back())) return {};
  const std::vector<std::u16string> pieces = SplitPath(path);
  return pieces.empty() ? std::u16string() : pieces.back();
}
