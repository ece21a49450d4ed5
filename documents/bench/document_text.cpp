// The text the reader shows for each document, converted as opening it
// converts it, written beside it as DOCUMENT.txt (the converted copy
// itself is not kept). Used by scripts/html-word-separation.
//   document_text DOCUMENT...
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "documents/common/auto_conversion.h"
#include "platform/unicode.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: document_text DOCUMENT...\n");
    return 2;
  }
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    std::u16string document;
    Utf8ToUtf16(argv[i], &document);
    const OpenedText text = ConvertForReading(document);
    const std::string shown = Utf16ToUtf8(text.path);
    const std::string copy = std::string(argv[i]) + ".txt";
    std::error_code error;
    std::filesystem::copy_file(shown, copy, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (text.converted) unlink(shown.c_str());
    if (text.failed || error) {
      std::fprintf(stderr, "%s: no text\n", argv[i]);
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
