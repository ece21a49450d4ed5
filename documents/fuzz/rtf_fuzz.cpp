// libFuzzer target: arbitrary bytes as an RTF document.
#include <string>
#include <vector>

#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"

namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds = {
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
      "{\\*\\generator x;}{\\info{\\title t}}\\uc1\\pard Hello\\par World \\'e0\\'E0"
      "\\u1040?\\u-3913?\\ldblquote q\\rdblquote\\tab\\~\\_\\{\\}\\\\\n\\\r"
      "{\\*\\unknown z}{\\unknown k}\\bin3 {}x\\line}",
      "{\\rtf1{{{{\\pict\\bin5 \\'zz}}}}}}}\\par-12345678901234567890 \\uc-1\\u70000 a",
  };
  seeds.push_back(Repeated(seeds[0], 70000));
  return seeds;
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFiles files(data, size, "in.rtf");
  // A file that does not begin as RTF is refused and leaves no target.
  FUZZ_CHECK(ConvertRtfToText(files.source(), files.target()) == files.OutputExists());
  FUZZ_CHECK(files.Output().find('\0') == std::string::npos);
  // Every output byte stands for at least one input byte.
  FUZZ_CHECK(files.Output().size() <= size);
  return 0;
}
