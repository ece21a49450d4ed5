// libFuzzer target: arbitrary bytes as an XML/HTML document, converted in
// both line-break modes.
#include <string>
#include <vector>

#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"

namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds = {
      "<html><head><title>T</title></head><body><p class=x>a &amp; b &#1040;&#1105;</p>"
      "<br/>x<BR>y&nbsp;z&laquo;q&raquo;</div>\n  \n<li>w</li></body></html>",
      "<?xml version=\"1.0\"?><!-- c --><a>&#8212;&#x410;&;&#99999999999;</a>< b &c",
      "one\ntwo\r\n\t\nthree<p never closed",
      "<script>for(i=0;i<n.length;i++){}</script><p>Chapter one</p><style><!-- a</p> --></STYLE>"
      "x<table><tr><td>y<script>'</scr' + 'ipt>'</script >z",
  };
  seeds.push_back(Repeated(seeds[0], 25000));
  // Markup longer than a block, markup never closed, comments holding ">",
  // entities of control characters and of characters Windows-1251 lacks.
  seeds.push_back("<p>a</p><img src=\"data:image/png;base64," + Repeated("QUJD", 20000) +
                  "\">b<!-- x > y -->c<![CDATA[ ]] > ]]>d&#12;&#0;&#9;&#x2014;&#xE9;&#x1F600;");
  seeds.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<p>t</p><!-- " +
                  Repeated("-> ", 15000));
  seeds.push_back("<script src=\"" + Repeated("s", 12000) + "\"/>after<b never closed");
  // Block elements never closed, a processing instruction holding ">", a
  // script closed by a misspelt end tag.
  seeds.push_back("<ol><li>one<li>two</ol><dl><dt>t<dd>d</dl><p>A</p><?php if ($a > 1) { } ?>"
                  "<section>s<hr>h<p>C<script>x()</scirpt><p>lost");
  // Instructions never ended by "?>", over blocks: each ends at its first ">".
  seeds.push_back("<p>a<?xml v=\"1\">b" + Repeated("c<?d>e", 4000) + "<?" + Repeated("f", 12000));
  return seeds;
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFiles files(data, size, "in.html");
  for (int32_t mode : {0, 1}) {
    // Every file converts; an empty one to an empty text.
    FUZZ_CHECK(ConvertHtmlToText(files.source(), files.target(), mode));
    FUZZ_CHECK(files.Output().find('\0') == std::string::npos);
    // Markup is dropped or becomes one byte, and a dropped source line feed
    // leaves at most a blank: the text never grows.
    FUZZ_CHECK(files.Output().size() <= size);
    files.RemoveOutput();
  }
  return 0;
}
