// What kind of document a file is, from its content first and its name then.
#pragma once

#include <cstdint>
#include <string>

enum DocumentKind : int32_t {
  kPlainText = 0,
  kPalmDoc = 1,
  kTcr = 2,
  kXmlHtml = 3,
  kFb2 = 4,
  kZipArchive = 5,
  kLit = 6,
  kRb = 7,
  kRtf = 8,
};

DocumentKind DetectDocumentKind(const std::u16string& path);

// Name tests: the name ends in a dot and the extension (any case) and the
// path is not a directory; a path that does not exist never matches.
bool IsZipFileName(const std::u16string& path);
bool IsLitFileName(const std::u16string& path);
bool IsRbFileName(const std::u16string& path);
bool IsRtfFileName(const std::u16string& path);
