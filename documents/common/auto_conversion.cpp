#include "documents/common/auto_conversion.h"

#include <unistd.h>

#include "foundation/text_file.h"
#include "platform/unicode.h"

namespace {

void RemoveFile(const std::u16string& path) { unlink(Utf16ToUtf8(path).c_str()); }

}  // namespace

OpenedText ConvertForReading(const std::u16string& document, const KindConverters& converters) {
  const std::u16string target = document + u".auto";
  if (FileExists(target.c_str())) return {target, true};
  const DocumentKind kind = DetectDocumentKind(document);
  bool converted = false;
  switch (kind) {
    case kPalmDoc:
    case kTcr:
    case kLit:
    case kRb:
    case kRtf: {
      const ConvertFunction convert = converters.ForKind(kind);
      converted = convert != nullptr && convert(document.c_str(), target.c_str());
      break;
    }
    case kXmlHtml:
    case kFb2: {
      const std::u16string utf8Step = document + u".utf8";
      const bool recoded = converters.isUtf8(document.c_str()) &&
                           converters.utf8(document.c_str(), utf8Step.c_str());
      const std::u16string& source = recoded ? utf8Step : document;
      const ConvertFunction convert = converters.ForKind(kind);
      converted = convert != nullptr && convert(source.c_str(), target.c_str());
      if (recoded) RemoveFile(utf8Step);
      break;
    }
    default:
      if (!converters.isUtf8(document.c_str())) return {document, false};
      converted = converters.utf8(document.c_str(), target.c_str());
      break;
  }
  if (converted) return {target, true};
  RemoveFile(target);
  return {document, false};
}
