#include "documents/common/document_kind.h"

#include <sys/stat.h>

#include "documents/common/path_names.h"
#include "documents/palmdoc/palmdoc.h"
#include "documents/palmdoc/tcr.h"
#include "platform/unicode.h"

namespace {

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }

bool EqualsIgnoringCase(const std::u16string& text, std::u16string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (AsciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

// As the directory bit of the file attributes: set for a directory and for a
// path whose attributes cannot be read.
bool HasDirectoryBit(const std::u16string& path) {
  struct stat st;
  return stat(Utf16ToUtf8(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode);
}

bool HasExtensionName(const std::u16string& path, std::u16string_view extension) {
  const size_t minimum = extension.size() == 2 ? 4 : 5;
  if (path.size() < minimum) return false;
  const std::u16string tail = path.substr(path.size() - extension.size() - 1);
  if (tail[0] != u'.') return false;
  return EqualsIgnoringCase(tail.substr(1), extension) && !HasDirectoryBit(path);
}

}  // namespace

bool IsZipFileName(const std::u16string& path) { return HasExtensionName(path, u"zip"); }
bool IsLitFileName(const std::u16string& path) { return HasExtensionName(path, u"lit"); }
bool IsRbFileName(const std::u16string& path) { return HasExtensionName(path, u"rb"); }
bool IsRtfFileName(const std::u16string& path) { return HasExtensionName(path, u"rtf"); }

DocumentKind DetectDocumentKind(const std::u16string& path) {
  if (IsTcrFile(path.c_str())) return kTcr;
  if (IsPalmDocFile(path.c_str())) return kPalmDoc;
  if (IsZipFileName(path)) return kZipArchive;
  if (IsLitFileName(path)) return kLit;
  if (IsRbFileName(path)) return kRb;
  if (IsRtfFileName(path)) return kRtf;
  const std::u16string extension = GetPathExtension(path);
  if (EqualsIgnoringCase(extension, u"htm") || EqualsIgnoringCase(extension, u"xml") ||
      EqualsIgnoringCase(extension, u"html")) {
    return kXmlHtml;
  }
  if (extension.size() == 3 && AsciiLower(extension[0]) == u'f' &&
      AsciiLower(extension[1]) == u'b' && extension[2] == u'2') {
    return kFb2;
  }
  return kPlainText;
}
