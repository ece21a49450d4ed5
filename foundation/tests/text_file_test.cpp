#include "foundation/text_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for each test, removed afterwards.
class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "text_file_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // The UTF-16 path of a file in the scratch folder (ASCII names).
  std::u16string Path(const std::string& name) const {
    const std::string full = (dir_ / name).string();
    return std::u16string(full.begin(), full.end());
  }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
};

TEST_F(TextFileTest, ClosedOrMissingFileDoesNothing) {
  TextFile file(Path("missing.txt").c_str(), u"rt");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.GetSize(), 0u);
  EXPECT_EQ(GetFileSizeOf(Path("missing.txt").c_str()), 0u);
  EXPECT_FALSE(FileExists(Path("missing.txt").c_str()));
  std::string text = "x";
  EXPECT_FALSE(file.ReadLine(text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(file.ReadWord(text));
  EXPECT_EQ(file.ReadText(text, 4), 0u);
  EXPECT_EQ(file.ReadInt32(), 0);
  EXPECT_FALSE(file.WriteLine("a"));
  EXPECT_EQ(file.Tell(), 0);
  std::vector<std::string> lines = {"stale"};
  EXPECT_FALSE(ReadLines(Path("missing.txt").c_str(), lines, '#'));
  EXPECT_TRUE(lines.empty());
}

TEST_F(TextFileTest, FolderAndPipeAreNoFiles) {
  fs::create_directory(dir_ / "sub");
  EXPECT_FALSE(FileExists(Path("sub").c_str()));
  EXPECT_EQ(GetFileSizeOf(Path("sub").c_str()), 0u);
  EXPECT_FALSE(TextFile(Path("sub").c_str(), u"rb").IsOpen());

  // A pipe is refused, never waited on. Its other end is held open here, so
  // a wrong open fails this test instead of hanging it.
  const std::string pipe = (dir_ / "pipe").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int end = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(end, 0);
  EXPECT_FALSE(FileExists(Path("pipe").c_str()));
  EXPECT_EQ(GetFileSizeOf(Path("pipe").c_str()), 0u);
  EXPECT_FALSE(TextFile(Path("pipe").c_str(), u"rb").IsOpen());
  EXPECT_FALSE(TextFile(Path("pipe").c_str(), u"wb").IsOpen());
  std::vector<std::string> lines = {"stale"};
  EXPECT_FALSE(ReadLines(Path("pipe").c_str(), lines, '#'));
  EXPECT_TRUE(lines.empty());
  close(end);
}

TEST_F(TextFileTest, CyrillicFileNameIsUtf8OnDisk) {
  const std::u16string path = Path("") + u"тест.txt";
  TextFile file(path.c_str(), u"wb");
  ASSERT_TRUE(file.IsOpen());
  EXPECT_TRUE(file.WriteString("12"));
  file.Close();
  EXPECT_TRUE(fs::exists(dir_ / fs::path(u8"тест.txt")));
  EXPECT_EQ(GetFileSizeOf(path.c_str()), 2u);
  EXPECT_TRUE(FileExists(path.c_str()));
  EXPECT_EQ(TextFile(path.c_str(), u"rb").GetSize(), 2u);
}

TEST_F(TextFileTest, ReadLineReturnsLastLineWithoutLineEnd) {
  WriteBytes("a.txt", "first\nsecond");
  TextFile file(Path("a.txt").c_str(), u"rt");
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "first");
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "second");
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_EQ(line, "");
  EXPECT_TRUE(file.IsEof());
}

TEST_F(TextFileTest, TextModeReadsCrLfAsLineFeed) {
  WriteBytes("crlf.txt", "one\r\ntwo\r\n\r\nthree\rfour\r\n");
  TextFile file(Path("crlf.txt").c_str(), u"rt");
  std::string line;
  std::vector<std::string> lines;
  while (file.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "three\rfour"}));
  // Byte reads too, in a mode without 'b' (text mode, as on Windows).
  WriteBytes("bytes.txt", "ab\r\ncd\r");
  TextFile bytes(Path("bytes.txt").c_str(), u"r");
  std::vector<BYTE> read;
  EXPECT_EQ(bytes.ReadIntoBuffer(read, 100), 6u);
  EXPECT_EQ(std::string(read.begin(), read.end()), "ab\ncd\r");
}

TEST_F(TextFileTest, BinaryModeKeepsCarriageReturns) {
  WriteBytes("crlf.txt", "one\r\ntwo");
  TextFile file(Path("crlf.txt").c_str(), u"rb");
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "one\r");
  file.Rewind();
  std::string all;
  EXPECT_EQ(file.ReadIntoString(all, 100), 8u);
  EXPECT_EQ(all, "one\r\ntwo");
}

TEST_F(TextFileTest, LongLineComesBackInPieces) {
  const std::string longLine(10000, 'x');
  WriteBytes("long.txt", longLine + "\nend\n");
  TextFile file(Path("long.txt").c_str(), u"rt");
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line.size(), 9999u);
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "x");
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "end");
  EXPECT_FALSE(file.ReadLine(line));
  // A "\r\n" that straddles the end of a piece is still one line end.
  WriteBytes("straddle.txt", std::string(9998, 'x') + "\r\nnext\r\n");
  TextFile straddle(Path("straddle.txt").c_str(), u"rt");
  ASSERT_TRUE(straddle.ReadLine(line));
  EXPECT_EQ(line, std::string(9998, 'x'));
  ASSERT_TRUE(straddle.ReadLine(line));
  EXPECT_EQ(line, "next");
}

TEST_F(TextFileTest, ReadWordSkipsBlanksAndEndsAtEndOfFile) {
  WriteBytes("words.txt", "  альфа\tbeta\r\n\ngamma ");
  TextFile file(Path("words.txt").c_str(), u"rt");
  std::string word;
  ASSERT_TRUE(file.ReadWord(word));
  EXPECT_EQ(word, "альфа");
  ASSERT_TRUE(file.ReadWord(word));
  EXPECT_EQ(word, "beta");
  ASSERT_TRUE(file.ReadWord(word));
  EXPECT_EQ(word, "gamma");
  // The file ends with a blank: the next call reaches the end with an empty
  // word and still succeeds.
  ASSERT_TRUE(file.ReadWord(word));
  EXPECT_EQ(word, "");
  EXPECT_TRUE(file.IsEof());
}

TEST_F(TextFileTest, ReadLinesSkipsEmptyBlankAndCommentLines) {
  WriteBytes("list.txt", "# comment\n\n   \n\t\n  word  \n  # indented comment\nkey # value\nlast");
  std::vector<std::string> lines = {"stale"};
  EXPECT_TRUE(ReadLines(Path("list.txt").c_str(), lines, '#'));
  EXPECT_EQ(lines, (std::vector<std::string>{"word", "key # value", "last"}));
  std::vector<std::string> same;
  EXPECT_TRUE(ReadLinesFrom(Path("list.txt").c_str(), '#', same));
  EXPECT_EQ(same, lines);
}

TEST_F(TextFileTest, ReadLinesOfCrLfFileMatchesLfFile) {
  const std::string lines = "# header\nмама\n\nмыла # раму\n";
  std::string crlf;
  for (const char c : lines) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  WriteBytes("lf.txt", lines);
  WriteBytes("crlf.txt", crlf);
  std::vector<std::string> fromLf, fromCrLf;
  EXPECT_TRUE(ReadLines(Path("lf.txt").c_str(), fromLf, '#'));
  EXPECT_TRUE(ReadLines(Path("crlf.txt").c_str(), fromCrLf, '#'));
  EXPECT_EQ(fromLf, (std::vector<std::string>{"мама", "мыла # раму"}));
  EXPECT_EQ(fromCrLf, fromLf);
}

TEST_F(TextFileTest, WritesAndReadsBack) {
  {
    TextFile file(Path("out.txt").c_str(), u"wb");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.WriteString("ab"));
    EXPECT_TRUE(file.WriteLine("cd"));
    EXPECT_TRUE(file.WriteNewLine());
    EXPECT_TRUE(file.WriteInt(-42));
    EXPECT_TRUE(file.Write(std::vector<BYTE>{'x', 0, 'y'}));
    EXPECT_TRUE(file.Write(std::string("z")));
    EXPECT_TRUE(file.Write("", 0));
    EXPECT_TRUE(file.WriteString(""));
    EXPECT_TRUE(file.Flush());
  }
  EXPECT_EQ(ReadBytes("out.txt"), std::string("abcd\n\n-42x\0yz", 13));
}

TEST_F(TextFileTest, SeekTellSkipRewind) {
  WriteBytes("a.bin", "0123456789");
  TextFile file(Path("a.bin").c_str(), u"rb");
  char c = 0;
  EXPECT_TRUE(file.Seek(4));
  EXPECT_EQ(file.Tell(), 4);
  EXPECT_EQ(file.Read(&c, 1), 1u);
  EXPECT_EQ(c, '4');
  EXPECT_TRUE(file.Skip(2));
  EXPECT_EQ(file.Read(&c, 1), 1u);
  EXPECT_EQ(c, '7');
  EXPECT_TRUE(file.Skip(-3));
  EXPECT_EQ(file.Tell(), 5);
  EXPECT_TRUE(file.Rewind());
  EXPECT_EQ(file.Tell(), 0);
  EXPECT_EQ(file.Read(&c, 1), 1u);
  EXPECT_EQ(c, '0');
}

TEST_F(TextFileTest, ReadTextStopsTheStringAtTheFirstNul) {
  WriteBytes("a.bin", std::string("ab\0cd", 5));
  TextFile file(Path("a.bin").c_str(), u"rb");
  std::string text;
  EXPECT_EQ(file.ReadText(text, 5), 5u);
  EXPECT_EQ(text, "ab");
  // Exactly n bytes read: the terminator still has room of its own.
  WriteBytes("full.bin", "abcdef");
  TextFile full(Path("full.bin").c_str(), u"rb");
  EXPECT_EQ(full.ReadText(text, 4), 4u);
  EXPECT_EQ(text, "abcd");
  EXPECT_EQ(full.ReadText(text, 10), 2u);
  EXPECT_EQ(text, "ef");
}

TEST_F(TextFileTest, ReadShortString) {
  WriteBytes("a.bin", std::string("\x03" "abc" "\x00" "\x05" "xy", 8));
  TextFile file(Path("a.bin").c_str(), u"rb");
  std::string text;
  ASSERT_TRUE(file.ReadShortString(text));
  EXPECT_EQ(text, "abc");
  ASSERT_TRUE(file.ReadShortString(text));
  EXPECT_EQ(text, "");
  // The length says 5 but only 2 bytes are left: no filler bytes come back.
  EXPECT_FALSE(file.ReadShortString(text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(file.ReadShortString(text));
}

TEST_F(TextFileTest, ReadInt32IsLittleEndian) {
  WriteBytes("a.bin", std::string("\x78\x56\x34\x12\xFE\xFF\xFF\xFF\x01", 9));
  TextFile file(Path("a.bin").c_str(), u"rb");
  EXPECT_EQ(file.ReadInt32(), 0x12345678);
  EXPECT_EQ(file.ReadInt32(), -2);
  EXPECT_EQ(file.ReadInt32(), 0);
}

}  // namespace
