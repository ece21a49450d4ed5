// The converter side of opening a document: the document P is shown through
// "<P>.auto" when it needs converting.
#pragma once

#include <string>

#include "documents/common/converter_table.h"

struct OpenedText {
  std::u16string path;  // the file to show
  bool converted;       // path is "<P>.auto"
  bool failed = false;  // the document's converter failed: nothing to show
  // The text was recoded from UTF-8: it is Windows-1251 whatever its bytes
  // look like.
  bool windows1251 = false;
};

OpenedText ConvertForReading(const std::u16string& document, const KindConverters& converters);
OpenedText ConvertForReading(const std::u16string& document);
