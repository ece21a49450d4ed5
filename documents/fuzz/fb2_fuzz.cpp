// libFuzzer target: arbitrary bytes as an FB2 book.
#include <string>
#include <vector>

#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"

namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds = {
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><FictionBook><description>"
      "<title-info><genre>prose</genre><author><first-name>A</first-name>"
      "<last-name>B</last-name></author><book-title>T</book-title><date>2004</date>"
      "<lang>ru</lang></title-info><custom-info info-type=\"x\">c</custom-info>"
      "</description><body><title><p>Head</p></title><section><p>Text &amp; more</p>"
      "<empty-line/><poem><v>line</v></poem><a xlink:href=\"#n\">1</a></section></body>"
      "<binary id=\"i\">AAAA</binary><p>after</p></FictionBook>",
      "<p>\x01x</p></title></section><epigraph>e</epigraph><cite>c</cite>< p <",
  };
  seeds.push_back(Repeated(seeds[0], 25000));
  // Prolog comments longer than a block (13 KB and 20 KB), entities.
  for (size_t length : {13000u, 20000u}) {
    seeds.push_back("<?xml version=\"1.0\"?>\n<!-- " + Repeated("> -", length) +
                    " -->\n<FictionBook><body><p>&amp;&lt;&gt;&quot;&apos;&#171;&#x2014;&#12;"
                    "&#20013;</p></body></FictionBook>");
  }
  seeds.push_back("<FictionBook><body><p>x</p><!-- " + Repeated("never closed ", 1000));
  return seeds;
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFiles files(data, size, "in.fb2");
  // A book without its root element is refused and leaves no target.
  const bool converted = ConvertFb2ToText(files.source(), files.target());
  FUZZ_CHECK(converted == files.OutputExists());
  // Paragraph markers and NUL bytes never reach the file.
  const std::string output = files.Output();
  FUZZ_CHECK(output.find('\x01') == std::string::npos);
  FUZZ_CHECK(output.find('\0') == std::string::npos);
  return 0;
}
