// The code page DetectCodePage finds for each line of a file, one external
// index a line; a line is the bytes between line feeds. Used by
// scripts/code-page-accuracy.
//   detect_code_page_lines FILE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "foundation/code_pages.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: detect_code_page_lines FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const CodePageConverter& converter = GlobalCodePageConverter();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::printf("%d\n", DetectCodePage(converter, text.data() + start, end - start));
    start = end + 1;
  }
  return 0;
}
