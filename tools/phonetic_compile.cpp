// phonetic_compile <rules text> <compiled base>
//
// Compiles a phoneme/allophone rule base from its text form into the binary
// base that the phonetic processor maps at run time.
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/text_file.h"
#include "phonetic/phoneme_allophone_base.h"
#include "phonetic/rule_base_compiler.h"

namespace {

std::u16string WidePath(const char* path) {
  std::u16string wide;
  Utf8ToWide(path, wide, u'\uFFFD');
  return wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <rules text> <compiled base>\n", argv[0]);
    return 2;
  }
  PhonemeAllophoneBase text;
  if (text.Load(WidePath(argv[1])) != S_OK) {
    std::fprintf(stderr, "%s: cannot read the rules\n", argv[1]);
    return 1;
  }
  CompiledRuleBaseImage image;
  std::vector<unsigned char> bytes;
  std::string error;
  if (!CompileRuleBase(text, image, error) || !SerializeRuleBase(image, bytes, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  TextFile out(WidePath(argv[2]).c_str(), u"wb");
  if (!out.IsOpen() || !out.Write(bytes.data(), bytes.size()) || !out.Flush()) {
    std::fprintf(stderr, "%s: cannot write\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu phonemes, %zu allophones\n", argv[2], image.rules.size(),
              AllophoneNames(image).size());
  return 0;
}
