#include <gtest/gtest.h>

#include <cstring>

#include "documents/converters.h"
#include "documents/rtf/rtf_keyword_table.h"
#include "documents/tests/test_files.h"
#include "platform/message_box.h"

namespace {

// The source as the body of an RTF document.
std::string Rtf(const std::string& source) {
  const std::string in = Scratch("in.rtf");
  const std::string out = Scratch("out.txt");
  WriteBytes(in, "{\\rtf1 " + source);
  EXPECT_TRUE(ConvertRtfToText(Wide(in).c_str(), Wide(out).c_str()));
  return ReadBytes(out);
}

TEST(RtfConverterTest, KeywordTableIsSortedForBinarySearch) {
  ASSERT_EQ(kRtfKeywordCount, 48u);
  for (size_t i = 1; i < kRtfKeywordCount; ++i) {
    EXPECT_LT(std::strcmp(kRtfKeywordTable[i - 1].name, kRtfKeywordTable[i].name), 0) << i;
  }
}

TEST(RtfConverterTest, TextControlWordsAndDestinations) {
  EXPECT_EQ(Rtf("{\\rtf1 Hello\\par\r\nWorld}"), "Hello\nWorld");
  EXPECT_EQ(Rtf("{\\'e0\\'E0}"), "\xE0\xE0");
  // Lower-case and upper-case digits above 9, in either place.
  EXPECT_EQ(Rtf("\\'ef\\'EF\\'fa\\'Ab\\'c3\\'0d"), "\xEF\xEF\xFA\xAB\xC3\x0D");
  EXPECT_EQ(Rtf("{\\rtf1{\\fonttbl{\\f0 Times;}}{\\*\\unknown hidden}{\\unknown shown}x}"),
            "shownx");
  EXPECT_EQ(Rtf("\\ldblquote q\\rdblquote\\tab\\~\\_\\{\\}\\\\"), "\"q\"\t -{}\\");
  EXPECT_EQ(Rtf("a\\\nb\\line c"), "a\nb\nc");
  EXPECT_EQ(Rtf("\\bin3 {\\}z"), "{\\}z");
  EXPECT_EQ(Rtf("{\\header head}{\\info{\\title t}{\\author a}}{\\pict 0a0b}body"), "body");
  EXPECT_EQ(Rtf("}}unbalanced{"), "unbalanced");
}

// A group of no body text that is never closed hides the rest of the
// document: the text after its last complete entry is read, and the user
// told; a document that still gives no text says why.
TEST(RtfConverterTest, UnclosedGroupsAndDocumentsWithoutText) {
  MessageBoxCapture boxes;
  const std::string in = Scratch("damaged.rtf");
  const std::string out = Scratch("damaged.txt");
  auto convert = [&](const std::string& bytes, std::string* text) {
    WriteBytes(in, bytes);
    std::remove(out.c_str());
    const bool ok = ConvertRtfToText(Wide(in).c_str(), Wide(out).c_str());
    *text = ReadBytes(out);
    return ok;
  };
  std::string text;
  ASSERT_TRUE(convert("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1 Arial;}\\pard Привет, мир.\\par "
                      "Второй абзац.}",
                      &text));
  EXPECT_EQ(text, "Привет, мир.\nВторой абзац.");
  // Each unclosed group in turn.
  ASSERT_TRUE(convert("{\\rtf1{\\fonttbl{\\f0 T;}A{\\colortbl{\\red0;}B{\\b C}", &text));
  EXPECT_EQ(text, "ABC");
  // Entries on lines of their own; a document that only lacks its last
  // brace is read once, as it is.
  ASSERT_TRUE(convert("{\\rtf1{\\stylesheet{\\s0 Normal;}\r\n{\\s1 Head;}\r\nx\\par y}", &text));
  EXPECT_EQ(text, "x\ny");
  ASSERT_TRUE(convert("{\\rtf1{\\fonttbl{\\f0 T;}}Hello", &text));
  EXPECT_EQ(text, "Hello");
  EXPECT_FALSE(convert("{\\rtf1{\\*\\generator Writer 1.0;\\pard text", &text));
  EXPECT_FALSE(convert("{\\rtf1{\\fonttbl{\\f0 Times;}}{\\info{\\title T}}\\par -- \\tab}", &text));
  EXPECT_EQ(text, "");
  const std::string warning =
      "Warning: a group that holds no body text (a font table, a header, ...), beginning at "
      "byte ";
  const std::string rest =
      ", is never closed and would take in the rest of the document; the text from byte ";
  const std::string stop = "Conversion stopped: no text could be taken out of the book. ";
  std::vector<std::u16string> expected;
  for (const std::string& message :
       {warning + "11" + rest + "44 on was read as if the group had closed there.",
        warning + "6" + rest + "23 on was read as if the group had closed there.",
        warning + "6" + rest + "44 on was read as if the group had closed there.",
        stop + "A group that holds no body text (a font table, a header, ...), beginning at "
               "byte 6, is never closed and takes in the rest of it.",
        stop + "Its body holds no letter or digit."}) {
    expected.emplace_back(message.begin(), message.end());
  }
  EXPECT_EQ(boxes.Texts(), expected);
}

TEST(RtfConverterTest, UnicodeCharactersAndNumbers) {
  // A character that Windows-1251 has replaces its stand-in; others keep it.
  EXPECT_EQ(Rtf("\\u1055?\\u1088\\'3f\\u-3913 x\\u20013?"), "\xCF\xF0x?");
  EXPECT_EQ(Rtf("{\\uc2\\u1040ab}c\\u1041d"), "\xC0" "c" "\xC1");
  EXPECT_EQ(Rtf("\\uc0\\u1040\\u1041."), "\xC0\xC1.");
  // Parameters far beyond 32 bits saturate instead of wrapping around.
  EXPECT_EQ(Rtf("\\bin99999999999999999999 ab"), "ab");
  EXPECT_EQ(Rtf("\\u99999999999999 x"), "x");
}

TEST(RtfConverterTest, DeepNestingAndLongDocuments) {
  std::string deep(200000, '{');
  deep += "inner";
  deep += std::string(200000, '}');
  EXPECT_EQ(Rtf(deep + "after"), "innerafter");
  std::string text;
  for (int i = 0; i < 30000; ++i) text += "word\\par ";
  std::string expected;
  for (int i = 0; i < 30000; ++i) expected += "word\n";
  EXPECT_EQ(Rtf(text), expected);
}

TEST(RealDocumentsTest, RtfWrittenByAnotherTool) {
  const std::string root = DebianPackage("librtf-writer-perl");
  if (root.empty()) GTEST_SKIP() << "Debian package librtf-writer-perl cannot be downloaded";
  const std::string in = root + "/usr/share/doc/librtf-writer-perl/examples/la_dame.rtf";
  const std::string out = Scratch("dame.txt");
  ASSERT_TRUE(ConvertRtfToText(Wide(in).c_str(), Wide(out).c_str()));
  const std::string text = ReadBytes(out);
  EXPECT_EQ(text.find("Times New Roman"), std::string::npos);
  EXPECT_EQ(text.find("La dame p."), std::string::npos);  // the header is dropped
  EXPECT_NE(text.find("La dame\n"), std::string::npos);
  EXPECT_NE(text.find("Toc toc Il a ferm\xE9 la porte\nLes lys du jardin sont fl\xE9tris\n"),
            std::string::npos);
  EXPECT_NE(text.find("Tu viens de toquer \xE0 sa porte\n"), std::string::npos);
}

}  // namespace
