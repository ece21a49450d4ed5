#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "documents/converters.h"
#include "documents/fb2/fb2_tag_table.h"
#include "documents/tests/test_files.h"
#include "platform/message_box.h"

namespace {

std::string Html(const std::string& source, int32_t mode = 1) {
  const std::string in = Scratch("in.html");
  const std::string out = Scratch("out.txt");
  WriteBytes(in, source);
  EXPECT_TRUE(ConvertHtmlToText(Wide(in).c_str(), Wide(out).c_str(), mode));
  return ReadBytes(out);
}

std::string Fb2Book(const std::string& source) {
  const std::string in = Scratch("in.fb2");
  const std::string out = Scratch("out.txt");
  WriteBytes(in, source);
  EXPECT_TRUE(ConvertFb2ToText(Wide(in).c_str(), Wide(out).c_str()));
  return ReadBytes(out);
}

// The source inside a book's root element.
std::string Fb2(const std::string& source) { return Fb2Book("<FictionBook>" + source + "</FictionBook>"); }

TEST(HtmlConverterTest, TagsEntitiesAndLines) {
  EXPECT_EQ(Html("a<p>b</p>c"), "a b\nc");
  EXPECT_EQ(Html("1<BR>2<br/>3<br />4<br clear=all>5"), "1\n2\n3\n4 5");
  EXPECT_EQ(Html("<P CLASS=x>t</Div>"), "t\n");
  EXPECT_EQ(Html("x &amp; y"), "x & y");
  EXPECT_EQ(Html("&#1040;&#1025;&#1105;&#1103;&#x410;&laquo;q&raquo;&#8212;&nbsp;&#171;"),
            "\xC0\xA8\xB8\xFF\xC0\"q\"- \xAB");
  EXPECT_EQ(Html("&#8364;&#20013;&lt;"), "\x88 <");
  EXPECT_EQ(Html("<?xml version=\"1.0\"?><!-- c -->t"), "t");
  EXPECT_EQ(Html("a < b &c d"), "a < b &c d");
  EXPECT_EQ(Html("line\n   \t\r\nnext"), "line next");
  EXPECT_EQ(Html("one\ntwo"), "one two");
  EXPECT_EQ(Html("end\n</p>x\n<b>y</b>"), "end\nx y");
  EXPECT_EQ(Html("dos\r\nline"), "dos\rline");
  EXPECT_EQ(Html(""), "");
  // The page's title stands on a line of its own.
  EXPECT_EQ(Html("<html><head><title>Заглавие</title></head><body>Текст</body></html>"),
            "\nЗаглавие\nТекст");
}

// White space between two text runs stays one blank whatever tags stand
// between them; headings and table rows end their line, cells, lists,
// quotes and preformatted blocks part what follows by a blank.
TEST(HtmlConverterTest, WordsStayApartAcrossTags) {
  EXPECT_EQ(Html("<h1>Head</h1>\n<p>Text</p>"), "Head\nText\n");
  EXPECT_EQ(Html("<h1>Head</h1><p>Text</p>"), "Head\nText\n");
  EXPECT_EQ(Html("<b>one</b>\n<b>two</b>"), "one two");
  EXPECT_EQ(Html("<b>one</b>\n\n  \n<i>two</i>"), "one two");
  EXPECT_EQ(Html("<td>a</td>\n<td>b</td>"), "a b");
  EXPECT_EQ(Html("<tr><td>a</td><td>b</td></tr><tr><th>c</th></tr>"), "a b\nc\n");
  EXPECT_EQ(Html("<H2>A</H2><h6 id=x>B</h6><h7>C</h7>D"), "A\nB\nCD");
  EXPECT_EQ(Html("<ul><li>x</li></ul>after"), "x\nafter");
  EXPECT_EQ(Html("<ol><li>x</ol>y"), "x y");
  EXPECT_EQ(Html("<blockquote>q</blockquote>r <pre>p</pre>s\n<dl><dt>t</dl>u"), "q r p s t u");
  EXPECT_EQ(Html("<table><tr><td>t</td></table>u"), "t u");
  EXPECT_EQ(Html("one two<table><tr><td>a"), "one two a");
  EXPECT_EQ(Html("x<TABLE border=1><tr><td>a</td></tr></table>"), "x a\n");
  // No blank where the words touch in the source, across inline elements.
  EXPECT_EQ(Html("<b>bo</b>ld<SPAN class=x>ly</span><a href=\"#\">go</a>"), "boldlygo");
  // Every element that starts a block parts the words around it, opened or
  // closed, closed or not, with attributes or without.
  EXPECT_EQ(Html("<ol><li>восьмая<li>девятая</ol>"), "восьмая девятая");
  EXPECT_EQ(Html("<table><tr><td>1<td>2<tr><th>3<td>4</table>"), "1 2 3 4");
  EXPECT_EQ(Html("<dl><dt>term<dd>meaning<dt>next</dl>"), "term\nmeaning next");
  EXPECT_EQ(Html("a<hr>b<hr/>c<section id=s>d<article>e<header>f</header>g<footer>h"
                 "</footer></article></section>i<nav>j</nav><aside>k</aside><figure>l"
                 "<figcaption>m</figcaption></figure><address>n</address>o"),
            "a b c d e f g h i j k l m n o");
  EXPECT_EQ(Html("<div class=a>x</div>y<p class=b>z<h3 id=c>h</h3>w<blockquote>q<pre>p</pre>"
                 "<ul><li>u</ul>"),
            "x\ny z h\nw q p u");
}

TEST(HtmlConverterTest, StyleAndScriptAreNotText) {
  EXPECT_EQ(Html("<style>p { color: red }</style><p>x</p>"), "x\n");
  EXPECT_EQ(Html("<script type=\"text/javascript\">if (a<b && c>d) x = '&amp;</p>';"
                 "</script>y"),
            "y");
  EXPECT_EQ(Html("<STYLE/>z<Script src=a.js></SCRIPT >w"), "zw");
  EXPECT_EQ(Html("<styles>s</styles><scripted>t"), "st");
  EXPECT_EQ(Html("<style>never closed<p>x</p>"), "");
  // The content is raw text up to the element's own end tag: a "<" or "</"
  // in a loop, a string or a comment starts no tag.
  EXPECT_EQ(Html("<script>for(i=0;i<n.length;i++){}</script><p>Chapter one text</p>"),
            "Chapter one text\n");
  EXPECT_EQ(Html("<SCRIPT>document.write(\"<p>x</p>\"); /* a<b */ // </scripts\n"
                 "var s = '</div><table>';</Script\n>after"),
            "after");
  EXPECT_EQ(Html("<style type=\"text/css\"><!-- p>a { x: 1 } /* </p> */ --></style\t>"
                 "<p>styled</p>"),
            "styled\n");
  EXPECT_EQ(Html("<script><!-- if (x<y) { } --></script>z &amp; w"), "z & w");
  // An end tag cut by the block boundary is found in the next block.
  for (size_t at : {9985u, 9990u, 9992u, 9995u, 9999u}) {
    const std::string code = "<script>" + std::string(at - 8, 'v') + "</script>after";
    EXPECT_EQ(Html(code), "after") << at;
    EXPECT_EQ(Html("<style>" + std::string(at - 7, '<') + "</STYLE>x<b>y"), "xy") << at;
  }
}

// A script or style sheet that is never closed (or closed by a misspelt end
// tag) leaves the rest out, and the user is told where and how much; a
// processing instruction goes on over a ">" of its code, but one never
// ended by "?>" ends at its first ">", and so do those after it.
TEST(HtmlConverterTest, UnendedScriptsAndInstructionsAreSaid) {
  MessageBoxCapture boxes;
  EXPECT_EQ(Html("<p>A</p><?php if ($a > 1) { echo \"b\"; } ?><p>C</p>"), "A\nC\n");
  EXPECT_EQ(Html("<?xml version=\"1.0\"?><?\?>x<?a>b?>y"), "xy");
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(Html("<p>A</p><script>x()</scirpt><p>lost</p>"), "A\n");
  EXPECT_EQ(Html("t<STYLE type=a>" + std::string(25000, 's')), "t");
  EXPECT_EQ(Html("<p>u</p><?php echo 1 > 0; <p>v</p><?a>w<?b>x" + std::string(25000, 'y')),
            "u\n 0; v\nwx" + std::string(25000, 'y'));
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::u16string>{
                u"Warning: the document ends inside a script element that begins at byte 8 "
                u"and is never closed; its 31 bytes were left out.",
                u"Warning: the document ends inside a style element that begins at byte 1 "
                u"and is never closed; its 25014 bytes were left out."}));
}

TEST(HtmlConverterTest, LineBreakModeZeroDoesNotRepeatBreaks) {
  EXPECT_EQ(Html("</p>a</p></div> \t</li>b", 0), "\na\n \tb");
  EXPECT_EQ(Html("a</p></p>", 1), "a\n\n");
}

TEST(HtmlConverterTest, TagsAndEntitiesAcrossBlockBoundaries) {
  for (size_t at : {9990u, 9995u, 9998u, 9999u, 10000u}) {
    const std::string head(at, 'x');
    EXPECT_EQ(Html(head + "<br>" + "&#1040;" + "<p class=a>z</p>"),
              head + "\n\xC0 z\n") << at;
    EXPECT_EQ(Html(head + "&nbsp;y"), head + " y") << at;
  }
}

// Tags, comments, processing instructions and CDATA sections are markup
// however many blocks they run over; one the file ends inside is left out
// and the user told.
TEST(HtmlConverterTest, MarkupOfAnyLengthIsSkipped) {
  MessageBoxCapture boxes;
  std::string image = "<img alt=\"x\" src=\"data:image/png;base64,";
  for (int i = 0; i < 20000; ++i) image += "QUJD+/="[i % 7];
  image += "\">";
  EXPECT_EQ(Html("<p>before</p>" + image + "after"), "before\nafter");
  EXPECT_EQ(Html(std::string(9990, 'x') + image + "<br>y"), std::string(9990, 'x') + "\ny");
  EXPECT_EQ(Html("<a " + std::string(10005, 'q') + ">t"), "t");
  // A long self-closing script starts no script.
  EXPECT_EQ(Html("<script src=\"" + std::string(12000, 's') + "\"/>after"), "after");
  EXPECT_EQ(Html("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<p>x</p>"), "x\n");
  EXPECT_EQ(Html("a<![CDATA[ x > y ]] " + std::string(15000, 'c') + " ]]>b"), "ab");
  EXPECT_EQ(Html("<!-- " + std::string(25000, '>') + " -->z"), "z");
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(Html("open <b never closed"), "open ");
  EXPECT_EQ(Html("<p>t</p><!-- " + std::string(15000, 'c')), "t\n");
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::u16string>{
                u"Warning: the document ends inside a tag or comment that begins at byte 5 and "
                u"is never closed; its 15 bytes were left out.",
                u"Warning: the document ends inside a tag or comment that begins at byte 8 and "
                u"is never closed; its 15005 bytes were left out."}));
}

TEST(HtmlConverterTest, CommentsEndAtTheirClose) {
  EXPECT_EQ(Html("<p>a</p><!-- x > y -->b"), "a\nb");
  EXPECT_EQ(Html("<!---->c<!-- <p>no</p> -- > -->d<!-- e --->f"), "cdf");
  EXPECT_EQ(Html("<!DOCTYPE html>g<!x>h"), "gh");
}

// A numeric entity of a control character gives a blank, except tab and
// line feed; a character Windows-1251 lacks gives its nearest equivalent or
// a blank.
TEST(HtmlConverterTest, EntitiesGiveText) {
  EXPECT_EQ(Html("a&#12;b&#9;c&#10;d&#0;e&#x1F;f&#13;g&#27;h&#127;i"), "a b\tc\nd e f g h i");
  EXPECT_EQ(Html("&#xE9;&#XC7;&#x2014;&#8212;&#x2212;&#x1F600;&#99999999999;&#x;"),
            "eC---  &#x;");
  // Only a name or a number makes an entity; an unknown name is dropped.
  EXPECT_EQ(Html("R&D 5; Smith & Wesson; &a-5; &#5a; &nosuch;x"),
            "R&D 5; Smith & Wesson; &a-5; &#5a; x");
}

TEST(Fb2ConverterTest, DescriptionParagraphsAndBinary) {
  EXPECT_EQ(kFb2TagTableSize, 81u);
  EXPECT_EQ(Fb2("<description><title-info><author><first-name>Ivan</first-name>"
                "<last-name>Petrov</last-name></author></title-info></description>"),
            "Description:\nAuthor:\nFirst name: Ivan\nLast name: Petrov\n\n");
  EXPECT_EQ(Fb2("<description><title-info><book-title>Книга</book-title><lang>ru</lang>"
                "</title-info></description>"),
            "Description:\nBook name: Книга\nLanguage: ru\n\n");
  EXPECT_EQ(Fb2("<body><section><title><p>Head</p></title><p>Text &amp; more</p>"
                "</section></body>"),
            "\n\nHead\n\nText & more\n\n");
  EXPECT_EQ(Fb2("x<p id=\"a\">y</p><date value=\"2001\">2001</date><date/>"
                "<custom-info info-type=\"k\">v</custom-info>"),
            "xy\nDate: 2001\nCustom info\nv\n");
  EXPECT_EQ(Fb2("<p>a</p><binary id=\"i\">QUJD</binary><p>after</p>"), "\na\n");
  EXPECT_EQ(Fb2("<?xml version=\"1.0\"?>\n<p>t</p>"), "\nt\n");
  EXPECT_EQ(Fb2Book("<?xml version=\"1.0\" encoding=\"windows-1251\">\n<FictionBook><p>t</p>"),
            "\nt\n");
}

// A book whose elements carry a namespace prefix reads as one without; other
// prefixes stay.
TEST(Fb2ConverterTest, NamespacePrefixedBook) {
  const std::string book =
      "<description><title-info><book-title>Книга</book-title></title-info></description>"
      "<body><section><title><p>Глава</p></title><p>Текст</p><empty-line/><p>Ещё "
      "<a l:href=\"#n1\">1</a></p></section></body><binary id=\"i\">QUJD</binary>";
  const std::string text =
      "\nDescription:\nBook name: Книга\n\nГлава\n\nТекст\n\nЕщё 1\n\n";
  EXPECT_EQ(Fb2Book("<?xml version=\"1.0\"?>\n<FictionBook xmlns:l=\"x\">" + book), text);
  std::string prefixed = book;
  for (size_t at = 0; (at = prefixed.find('<', at)) != std::string::npos; ++at) {
    prefixed.insert(prefixed[at + 1] == '/' ? at + 2 : at + 1, "fb:");
  }
  EXPECT_EQ(Fb2Book("<?xml version=\"1.0\"?>\n<fb:FictionBook "
                    "xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\" xmlns:l=\"x\">" +
                    prefixed + "</fb:FictionBook>"),
            text);
  EXPECT_EQ(Fb2Book("<x:FictionBook><x:p>a</x:p><p>b</p><y:p>c</y:p></x:FictionBook>"),
            "\na\nb\nc");
}

// A prolog comment of any length is no text, and the book after it is read.
TEST(Fb2ConverterTest, LongPrologCommentsAreSkipped) {
  for (size_t length : {13000u, 20000u}) {
    const std::string comment = "<!-- " + std::string(length, '-') + " > x -->";
    EXPECT_EQ(Fb2Book("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n" + comment +
                      "\n<FictionBook><body><p>Text</p></body></FictionBook>"),
              "\n\nText\n\n")
        << length;
  }
}

TEST(Fb2ConverterTest, EntitiesAreTranslated) {
  EXPECT_EQ(Fb2("<p>&amp; &lt; &gt; &quot; &apos; &#171;&#x2014;&#187; &#xE9;&#20013;&#12;x</p>"),
            "\n& < > \" ' \xAB-\xBB e  x\n");
}

TEST(Fb2ConverterTest, FailsOnMissingSourceAndNeverWritesOverIt) {
  const std::string in = Scratch("same.fb2");
  WriteBytes(in, "<p>x</p>");
  EXPECT_FALSE(ConvertFb2ToText(Wide(in).c_str(), Wide(in).c_str()));
  EXPECT_EQ(ReadBytes(in), "<p>x</p>");
  EXPECT_FALSE(ConvertFb2ToText(Wide(Scratch("none.fb2")).c_str(),
                                Wide(Scratch("none.txt")).c_str()));
  EXPECT_FALSE(Exists(Scratch("none.txt")));
}

// Real documents written by others, recoded from UTF-8 first as the reader
// does it.
TEST(RealDocumentsTest, RussianFb2HelpBook) {
  const std::string root = DebianPackage("fbreader");
  if (root.empty()) GTEST_SKIP() << "Debian package fbreader cannot be downloaded";
  const std::string book = root + "/usr/share/FBReader/help/MiniHelp.ru.fb2";
  ASSERT_TRUE(IsUtf8TextFile(Wide(book).c_str()));
  const std::string win = Scratch("help.win");
  const std::string text = Scratch("help.txt");
  ASSERT_TRUE(ConvertUtf8ToWin(Wide(book).c_str(), Wide(win).c_str()));
  ASSERT_TRUE(ConvertFb2ToText(Wide(win).c_str(), Wide(text).c_str()));
  const std::string out = ReadBytes(text);
  const std::string head =
            "\nDescription:\nAuthor:\nLast name: FBReader\n Book name: О программе FBReader\n"
            " Language: ru\n\nО программе FBReader\n\nFBReader - "
            "программа";
  EXPECT_EQ(out.substr(0, head.size()), head);
  EXPECT_EQ(out.find("<p>"), std::string::npos);
  EXPECT_EQ(out.find('\x01'), std::string::npos);
}

TEST(RealDocumentsTest, RussianHtmlFaq) {
  const std::string root = DebianPackage("debian-faq-ru");
  if (root.empty()) GTEST_SKIP() << "Debian package debian-faq-ru cannot be downloaded";
  const std::string folder = root + "/usr/share/doc/debian/FAQ/ru/";
  const std::string win = Scratch("faq.win");
  const std::string text = Scratch("faq.txt");
  size_t pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const std::string page = entry.path().string();
    ASSERT_TRUE(ConvertUtf8ToWin(Wide(page).c_str(), Wide(win).c_str())) << page;
    ASSERT_TRUE(ConvertHtmlToText(Wide(win).c_str(), Wide(text).c_str(), 1)) << page;
    const std::string out = ReadBytes(text);
    EXPECT_EQ(out.find("<p"), std::string::npos) << page;
    EXPECT_EQ(out.find("</"), std::string::npos) << page;
    // Every byte is Windows-1251 text: no UTF-8 lead bytes of Cyrillic remain
    // in pairs, and the Russian words are there.
    EXPECT_EQ(out.find("\xD0\x9E"), std::string::npos) << page;
    // The pages' style sheet is not read aloud.
    EXPECT_EQ(out.find("background-repeat"), std::string::npos) << page;
  }
  EXPECT_GT(pages, 10u);
  ASSERT_TRUE(ConvertUtf8ToWin(Wide(folder + "faqinfo.ru.html").c_str(), Wide(win).c_str()));
  ASSERT_TRUE(ConvertHtmlToText(Wide(win).c_str(), Wide(text).c_str(), 1));
  const std::string out = ReadBytes(text);
  // The page's XML declaration is markup, not its first line.
  EXPECT_EQ(out.find("\nГлава 16. Общая информация о ЧаВо\n"), 0u);
  // The table of contents: headings, list terms and the header's table
  // cells keep their words apart.
  EXPECT_NE(out.find("Содержание\n16.1. Авторы 16.2. Обратная связь 16.3. Где взять "
                     "16.4. Формат документа\n16.1. Авторы\n"),
            std::string::npos);
}

}  // namespace
