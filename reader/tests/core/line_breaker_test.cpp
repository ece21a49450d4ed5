#include "reader/line_breaker.h"

#include <gtest/gtest.h>

namespace {

// Every byte 10 pixels wide.
CharWidthTable Uniform(INT width) {
  CharWidthTable widths{};
  for (size_t i = 1; i < 256; ++i) widths[i] = width;
  return widths;
}

LineLayout Layout(const CharWidthTable& widths, INT textWidth, bool hyphenate = true,
                  bool justify = true, bool smart = true) {
  LineLayout layout;
  layout.widths = &widths;
  layout.textWidth = textWidth;
  layout.hyphenate = hyphenate;
  layout.justify = justify;
  layout.smartParagraphs = smart;
  return layout;
}

TEST(Unwrap, JoinsLinesInsideSentencesOnly) {
  std::string block = "one\ntwo.\nThree\nfour\n five\r\n\x1E";
  UnwrapBlock(block);
  EXPECT_EQ(block, "one two.\nThree four\n five \n-");
  std::string cyrillic = "\xEC\xE0\xEC\xE0\n\xEC\xFB\xEB\xE0\n\xD0\xE0\xEC\xF3";  // мама\nмыла\nРаму
  UnwrapBlock(cyrillic);
  EXPECT_EQ(cyrillic, "\xEC\xE0\xEC\xE0 \xEC\xFB\xEB\xE0\n\xD0\xE0\xEC\xF3");
}

TEST(SyllableBreaks, RussianWords) {
  // молоко: мо-ло-ко
  EXPECT_EQ(SyllableBreaks("\xEC\xEE\xEB\xEE\xEA\xEE", 5), (std::vector<int32_t>{2, 4}));
  // сказка: скаж-ка (consonant pair between vowels)
  EXPECT_EQ(SyllableBreaks("\xF1\xEA\xE0\xE7\xEA\xE0", 5), (std::vector<int32_t>{4}));
  // only breaks before p
  EXPECT_EQ(SyllableBreaks("\xEC\xEE\xEB\xEE\xEA\xEE", 3), (std::vector<int32_t>{2}));
  // no break before a soft sign
  EXPECT_TRUE(SyllableBreaks("\xEB\xFC\xE4\xFB", 3).empty() ||
              SyllableBreaks("\xEB\xFC\xE4\xFB", 3) == std::vector<int32_t>{});
  EXPECT_TRUE(SyllableBreaks("Latin", 4).empty());
}

TEST(BreakLines, IndentHyphenationAndJustification) {
  const CharWidthTable widths = Uniform(10);
  // "молоко и молоко молоко" at 12 characters per line.
  const std::string block =
      "\xEC\xEE\xEB\xEE\xEA\xEE \xE8 \xEC\xEE\xEB\xEE\xEA\xEE \xEC\xEE\xEB\xEE\xEA\xEE";
  PageLines out;
  BreakLines(block, true, false, Layout(widths, 120), out);
  ASSERT_EQ(out.Count(), 3u);
  // "   молоко и" justified to 12 by one more blank in each gap that fits.
  EXPECT_EQ(out.lines[0], "   \xEC\xEE\xEB\xEE\xEA\xEE  \xE8");
  // The last break that leaves room for the hyphen: "моло-".
  EXPECT_EQ(out.lines[1], "\xEC\xEE\xEB\xEE\xEA\xEE \xEC\xEE\xEB\xEE-");
  EXPECT_EQ(out.lines[2], "\xEA\xEE");
  EXPECT_EQ(out.ends, (std::vector<INT>{9, 20, 22}));
  // Offsets: the indent repeats the first offset, inserted blanks their neighbour's.
  EXPECT_EQ(out.offsets[0], (std::vector<uint16_t>{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 6, 7}));
  EXPECT_EQ(out.offsets[1], (std::vector<uint16_t>{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 19}));

  PageLines plain;
  BreakLines(block, true, false, Layout(widths, 120, false, false, false), plain);
  ASSERT_EQ(plain.Count(), 3u);
  EXPECT_EQ(plain.lines[0], "\xEC\xEE\xEB\xEE\xEA\xEE \xE8");
  EXPECT_EQ(plain.lines[1], "\xEC\xEE\xEB\xEE\xEA\xEE");
  EXPECT_EQ(plain.lines[2], "\xEC\xEE\xEB\xEE\xEA\xEE");
}

TEST(BreakLines, ParagraphsAndEmptyLines) {
  const CharWidthTable widths = Uniform(10);
  PageLines out;
  BreakLines("Ab cd.\n\nEf\n", true, false, Layout(widths, 200), out);
  ASSERT_EQ(out.Count(), 3u);
  EXPECT_EQ(out.lines[0], "   Ab cd.");
  EXPECT_EQ(out.lines[1], "");
  EXPECT_EQ(out.lines[2], "   Ef");
  EXPECT_EQ(out.ends, (std::vector<INT>{7, 8, 11}));
  // Not at a paragraph start: no indent, leading blanks dropped.
  BreakLines("  ab", false, false, Layout(widths, 200), out);
  ASSERT_EQ(out.Count(), 1u);
  EXPECT_EQ(out.lines[0], "ab");
  // A block that ends inside a word gets a hyphen; the block's last line
  // has no line feed, so it is justified like any other.
  BreakLines("ab cd", false, true, Layout(widths, 200, true, false), out);
  EXPECT_EQ(out.lines[0], "ab cd-");
  BreakLines("ab cd", false, true, Layout(widths, 100), out);
  EXPECT_EQ(out.lines[0], "ab     cd-");
}

TEST(BreakLines, AlwaysAdvances) {
  // A glyph wider than the whole line still takes a line of its own.
  CharWidthTable widths = Uniform(10);
  widths['W'] = 500;
  PageLines out;
  BreakLines("WWW", false, false, Layout(widths, 100), out);
  ASSERT_EQ(out.Count(), 3u);
  EXPECT_EQ(out.ends, (std::vector<INT>{1, 2, 3}));
  // A text area narrower than the indent.
  BreakLines("abc", true, false, Layout(widths, 5), out);
  EXPECT_EQ(out.ends.back(), 3);
  // Zero-width blanks do not make justification loop.
  CharWidthTable zeroBlank = Uniform(10);
  zeroBlank[' '] = 0;
  BreakLines("aa bb cc dd ee", false, false, Layout(zeroBlank, 60), out);
  EXPECT_EQ(out.lines[0], "aa bb cc");
  // A word longer than a line is cut without hyphen at the last fitting byte.
  BreakLines("abcdefghij", false, false, Layout(widths, 40), out);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"abcd", "efgh", "ij"}));
}

TEST(BreakLines, ABlockCutInsideAWordEndsAtItsSyllableOrBeforeIt) {
  const CharWidthTable widths = Uniform(10);
  PageLines out;
  // The text goes on with "солить": the line stops at the syllable break,
  // with a hyphen, and is not spread across the width.
  BreakLines("Мы будем посо", false, false, Layout(widths, 200), out, BlockEnd::kInsideWord);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"Мы будем по-"}));
  EXPECT_EQ(out.ends, (std::vector<INT>{11}));
  // Without hyphenation the word goes whole to the next page.
  BreakLines("Мы будем посо", false, false, Layout(widths, 200, false), out, BlockEnd::kInsideWord);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"Мы будем"}));
  EXPECT_EQ(out.ends, (std::vector<INT>{9}));
  // Lines before it are made as ever; a word with no syllable break moves.
  BreakLines("aa bb cc dd ee ff gg hh Он посм", false, false, Layout(widths, 100), out, BlockEnd::kInsideWord);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"aa  bb  cc", "dd  ee  ff", "gg  hh  Он"}));
  EXPECT_EQ(out.ends.back(), 27);
  // A fragment that is all the line holds stays: the page must move on.
  BreakLines("   xyzzy", false, false, Layout(widths, 200), out, BlockEnd::kInsideWord);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"xyzzy"}));
  EXPECT_EQ(out.ends, (std::vector<INT>{8}));
  // The text's last line ends its last paragraph: not spread either.
  BreakLines("aa bb cc dd ee", false, false, Layout(widths, 100), out, BlockEnd::kDocumentEnd);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"aa  bb  cc", "dd ee"}));
}

}  // namespace
