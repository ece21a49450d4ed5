#include "documents/common/auto_conversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/common/conversion_mark.h"
#include "documents/common/leftovers.h"
#include "documents/utf8/utf8_declaration.h"
#include "foundation/text_file.h"
#include "platform/unicode.h"

namespace {

// Only a file: a pipe or a device in the converted copy's place is the
// user's, and was refused by the converter.
void RemoveFile(const std::u16string& path) {
  const std::string name = Utf16ToUtf8(path);
  struct stat st;
  if (lstat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(name.c_str());
}

// A converted copy carries its document's modification time, so a document
// changed (or replaced) since is converted again.
void StampWithDocumentTime(const std::u16string& converted, const std::u16string& document) {
  struct stat source;
  if (stat(Utf16ToUtf8(document).c_str(), &source) != 0) return;
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  utimensat(AT_FDCWD, Utf16ToUtf8(converted).c_str(), times, 0);
}

// The copy is reused while it carries the document's time, and when the
// document itself is gone (a temporary taken out of an archive and deleted
// once converted).
bool ConvertedCopyIsCurrent(const std::u16string& converted, const std::u16string& document) {
  struct stat copy;
  if (stat(Utf16ToUtf8(converted).c_str(), &copy) != 0 || !S_ISREG(copy.st_mode)) return false;
  struct stat source;
  if (stat(Utf16ToUtf8(document).c_str(), &source) != 0) return true;
  return copy.st_mtim.tv_sec == source.st_mtim.tv_sec &&
         copy.st_mtim.tv_nsec == source.st_mtim.tv_nsec;
}

// Kinds converted by a converter of their own; any other is text, recoded
// from UTF-8 or shown as it is.
bool HasKindConverter(DocumentKind kind) {
  switch (kind) {
    case kPalmDoc:
    case kTcr:
    case kLit:
    case kRb:
    case kRtf:
    case kXmlHtml:
    case kFb2: return true;
    default: return false;
  }
}

// Whether the document's text is UTF-8, recoded on the way. A declared UTF-8
// is read as such even where a damaged byte or markup with few letters
// leaves the bytes undecided.
bool ReadAsUtf8(DocumentKind kind, const std::u16string& document,
                const KindConverters& converters) {
  if (kind == kXmlHtml || kind == kFb2)
    return DeclaresUtf8File(document.c_str()) || converters.isUtf8(document.c_str());
  return !HasKindConverter(kind) && converters.isUtf8(document.c_str());
}

}  // namespace

OpenedText ConvertForReading(const std::u16string& document, const KindConverters& converters) {
  const std::u16string target = document + u".auto";
  const DocumentKind kind = DetectDocumentKind(document);
  if (ConvertedCopyIsCurrent(target, document)) {
    return {target, true, false, ReadAsUtf8(kind, document, converters)};
  }
  const bool utf8 = ReadAsUtf8(kind, document, converters);
  const bool markup = kind == kXmlHtml || kind == kFb2;
  const bool viaUtf8Step = markup && utf8;
  if (!HasKindConverter(kind) && !utf8) return {document, false};
  // What conversions killed on the way left goes, and this one is marked
  // for a later run should it be killed on the way.
  RemoveMarkedConversionLeftovers();
  ConversionMark mark;
  const ConvertFunction convert = converters.ForKind(kind);
  bool converted = false;
  bool recoded = false;
  switch (kind) {
    case kPalmDoc:
    case kTcr:
    case kLit:
    case kRb:
    case kRtf:
      converted = convert != nullptr && convert(document.c_str(), target.c_str());
      break;
    case kXmlHtml:
    case kFb2: {
      // The recoded text goes to a file of its own unique name, never to
      // one the user may have beside the document.
      std::u16string utf8Step;
      if (viaUtf8Step) Utf8ToUtf16(mark.NewIntermediateFile(), &utf8Step);
      recoded = !utf8Step.empty() && converters.utf8(document.c_str(), utf8Step.c_str());
      const std::u16string& source = recoded ? utf8Step : document;
      converted = convert != nullptr && convert(source.c_str(), target.c_str());
      if (!utf8Step.empty()) RemoveFile(utf8Step);
      break;
    }
    default:
      converted = recoded = converters.utf8(document.c_str(), target.c_str());
      break;
  }
  if (converted) {
    StampWithDocumentTime(target, document);
    return {target, true, false, recoded};
  }
  RemoveFile(target);
  return {document, false, true};
}
