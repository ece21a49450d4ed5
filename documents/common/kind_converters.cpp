#include "documents/common/converter_table.h"

ConvertFunction KindConverters::ForKind(DocumentKind kind) const {
  switch (kind) {
    case kPalmDoc: return palmDoc;
    case kTcr: return tcr;
    case kXmlHtml: return html;
    case kFb2: return fb2;
    case kLit: return lit;
    case kRb: return rb;
    case kRtf: return rtf;
    default: return nullptr;
  }
}
