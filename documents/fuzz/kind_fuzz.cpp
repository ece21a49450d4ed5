// libFuzzer target: kind detection of arbitrary content under the names of
// every kind, and the path helpers on arbitrary UTF-16 paths.
#include <string>
#include <vector>

#include "documents/common/document_kind.h"
#include "documents/common/path_names.h"
#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"
#include "documents/palmdoc/palmdoc.h"
#include "documents/palmdoc/tcr.h"
#include "documents/utf8/utf8_declaration.h"

namespace {

std::vector<std::string> Seeds() {
  std::string pdb(96, '\0');
  pdb.replace(60, 8, "TEXtREAd");
  pdb[81] = 80;
  return {"!!8-Bit!!", pdb, "plain text", "\xD0\xBC\xD0\xB0\xD0\xBC\xD0\xB0",
          "a\\b/c.d.e\\f."};
}

constexpr const char* kNames[] = {"in.txt", "in.zip", "in.LIT", "in.rb", "in.rTf",
                                  "in.html", "in.htm", "in.XML", "in.fB2", "in.fb"};

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name = size > 0 ? kNames[data[0] % std::size(kNames)] : kNames[0];
  FuzzFiles files(data, size, name);
  const DocumentKind kind = DetectDocumentKind(files.source());
  FUZZ_CHECK(kind >= kPlainText && kind <= kRtf);
  // The content tests decide first, whatever the name.
  if (IsTcrFile(files.source())) FUZZ_CHECK(kind == kTcr);
  IsUtf8TextFile(files.source());
  DeclaresUtf8File(files.source());

  std::u16string path;
  for (size_t i = 0; i + 1 < size; i += 2) {
    path += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  const std::u16string extension = GetPathExtension(path);
  const std::u16string folder = GetPathFolder(path);
  const std::u16string fileName = GetPathFileName(path);
  FUZZ_CHECK(extension.size() <= path.size() && fileName.size() <= path.size());
  FUZZ_CHECK(folder.size() <= path.size() + 1);
  return 0;
}
