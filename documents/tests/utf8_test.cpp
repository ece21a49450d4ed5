#include <gtest/gtest.h>

#include "documents/converters.h"
#include "documents/tests/test_files.h"

namespace {

// UTF-8 text from a UTF-8 literal (plain literals are Windows-1251 here).
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Utf8(const std::string& source, bool* ok = nullptr) {
  const std::string in = Scratch("in.u8");
  const std::string out = Scratch("out.txt");
  WriteBytes(in, source);
  const bool converted = ConvertUtf8ToWin(Wide(in).c_str(), Wide(out).c_str());
  if (ok != nullptr) *ok = converted;
  EXPECT_TRUE(converted);
  return ReadBytes(out);
}

TEST(Utf8ConverterTest, BlocksNeverSplitACharacter) {
  const std::string ascii(20000, 'q');
  EXPECT_EQ(Utf8(ascii), ascii);
  // "Я" (D0 AF) straddling the 10000-byte boundary.
  const std::string straddle = std::string(9999, 'a') + "\xD0\xAF" + "b";
  EXPECT_EQ(Utf8(straddle), std::string(9999, 'a') + "\xDF" + "b");
  EXPECT_EQ(Utf8(U8(u8"\uFEFFмир")), " \xEC\xE8\xF0");
  EXPECT_EQ(Utf8("\xFF\xFE bad"), "   bad");
  // A lead byte without its continuation costs itself, not the letter after
  // it; an overlong "<" is no markup.
  EXPECT_EQ(Utf8("\xD0x\xE2\x82y"), " x  y");
  EXPECT_EQ(Utf8("\xC1\xBCp\xE0\x80\xBC"), "  p   ");
  EXPECT_EQ(Utf8(""), "");
}

TEST(Utf8ConverterTest, BlockWithoutInnerLeadByteIsTakenWhole) {
  // Only the first byte of the first block can begin a character: the walk
  // must still move on.
  const std::string odd = "a" + std::string(12000, '\x80') + "z";
  const std::string out = Utf8(odd);
  EXPECT_EQ(out.back(), 'z');
  EXPECT_EQ(out.front(), 'a');
}

TEST(Utf8ConverterTest, DetectsUtf8Files) {
  const std::string u8 = Scratch("u8.txt");
  const std::string win = Scratch("win.txt");
  WriteBytes(u8, U8(u8"Привет, как дела? Всё хорошо."));
  WriteBytes(win, "\xCF\xF0\xE8\xE2\xE5\xF2, \xEA\xE0\xEA \xE4\xE5\xEB\xE0?");
  EXPECT_TRUE(IsUtf8TextFile(Wide(u8).c_str()));
  EXPECT_FALSE(IsUtf8TextFile(Wide(win).c_str()));
  EXPECT_FALSE(IsUtf8TextFile(Wide(Scratch("missing")).c_str()));
  // A long ASCII beginning, as an FB2 prolog of comments, decides nothing.
  const std::string prolog = Scratch("prolog.fb2");
  const std::string comments = "<!-- " + std::string(30000, 'x') + " -->\n";
  WriteBytes(prolog, comments + U8(u8"<p>Привет, как дела? Всё хорошо.</p>"));
  EXPECT_TRUE(IsUtf8TextFile(Wide(prolog).c_str()));
  WriteBytes(prolog, comments + "<p>\xCF\xF0\xE8\xE2\xE5\xF2, \xEA\xE0\xEA \xE4\xE5\xEB\xE0?</p>");
  EXPECT_FALSE(IsUtf8TextFile(Wide(prolog).c_str()));
}

}  // namespace
