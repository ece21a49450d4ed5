#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "documents/converters.h"
#include "documents/palmdoc/palmdoc.h"
#include "documents/tests/test_files.h"
#include "platform/message_box.h"

namespace {

std::string Decode(const std::vector<uint8_t>& code, int32_t capacity = 100) {
  std::vector<uint8_t> out(static_cast<size_t>(capacity));
  const int32_t n = DecompressPalmDoc(code.data(), static_cast<int32_t>(code.size()), out.data(),
                                      capacity);
  return std::string(out.begin(), out.begin() + n);
}

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v >> 8);
  s[at + 1] = static_cast<char>(v);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v >> 16);
  Put16(s, at + 2, v & 0xFFFF);
}

// A database of the given text records (record 0 first in the list).
std::string Database(uint16_t compression, uint16_t recordSize,
                     const std::vector<std::string>& records, int declaredRecords = -1,
                     int declaredTextRecords = -1) {
  const size_t count = records.size() + 1;
  std::string db(78 + 8 * count, '\0');
  db.replace(60, 8, "TEXtREAd");
  Put16(db, 76, declaredRecords < 0 ? static_cast<uint32_t>(count) : declaredRecords);
  std::string r0(16, '\0');
  Put16(r0, 0, compression);
  Put16(r0, 8, declaredTextRecords < 0 ? static_cast<uint32_t>(records.size())
                                       : declaredTextRecords);
  Put16(r0, 10, recordSize);
  std::string body = r0;
  Put32(db, 78, static_cast<uint32_t>(db.size()));
  for (size_t i = 0; i < records.size(); ++i) {
    Put32(db, 78 + 8 * (i + 1), static_cast<uint32_t>(db.size() + body.size()));
    body += records[i];
  }
  return db + body;
}

bool Convert(const std::string& bytes, std::string* text) {
  const std::string in = Scratch("in.pdb");
  const std::string out = Scratch("out.txt");
  WriteBytes(in, bytes);
  std::remove(out.c_str());
  const bool ok = ConvertPdbToText(Wide(in).c_str(), Wide(out).c_str());
  if (text != nullptr) *text = ReadBytes(out);
  EXPECT_EQ(ok, Exists(out));
  return ok;
}

TEST(PalmDocDecodeTest, CodeTable) {
  EXPECT_EQ(Decode({'x', 0x80, 0x0B}), "xxxxxxx");
  EXPECT_EQ(Decode({0xE1}), " a");
  EXPECT_EQ(Decode({0x03, 0x01, 0x02, 0x03, 'z'}), "\x01\x02\x03z");
  EXPECT_EQ(Decode({'a', 'b', 0x80, 0x10}), "ababa");  // distance 2, length 3
  EXPECT_EQ(Decode({0x05, 'a', 'b'}), "ab");            // run cut by the input's end
  EXPECT_EQ(Decode({'a', 0x80}), "a");                  // reference without its second byte
  EXPECT_EQ(Decode({'a', 0x80, 0x08}), "aaaa");         // distance 1, length 3
  // The longest distance, 2047 bytes back: all eleven bits count.
  std::vector<uint8_t> far = {'x', 'y', 'z'};
  far.resize(2047, '.');
  far.insert(far.end(), {0xBF, 0xF8});
  EXPECT_EQ(Decode(far, 3000), std::string(far.begin(), far.end() - 2) + "xyz");
  EXPECT_EQ(Decode({0x80, 0x08, 'q'}), "");             // before the output's start
  EXPECT_EQ(Decode({'a', 0x80, 0x00, 'q'}), "a");       // distance 0
  EXPECT_EQ(Decode({'a', 'b', 0xE1}, 3), "ab ");        // no room for the second byte
  EXPECT_EQ(PalmDocDecodedLength(std::vector<uint8_t>{'x', 0x80, 0x0B, 0xE1, 0x05, 'a'}.data(),
                                 6),
            10);
}

TEST(PalmDocConverterTest, StoredAndCompressedRecords) {
  std::string text;
  EXPECT_TRUE(Convert(Database(1, 8, {"Hello, ", "world"}), &text));
  EXPECT_EQ(text, "Hello, world");
  EXPECT_TRUE(Convert(Database(2, 8, {"ab\x80\x10", "\xE1\x02xy"}), &text));
  EXPECT_EQ(text, "ababa axy");
  // A compressed record longer than the record size is fine; its decoded
  // size is what counts.
  EXPECT_TRUE(Convert(Database(2, 4, {"\x01\x61\x01\x62\x01\x63\x01\x64"}), &text));
  EXPECT_EQ(text, "abcd");
}

// A damaged book that gives no text at all says why, rather than showing an
// empty page.
TEST(PalmDocConverterTest, BooksWithoutTextSayWhy) {
  MessageBoxCapture boxes;
  EXPECT_FALSE(Convert(Database(17480, 8, {}, 0), nullptr));  // no records at all
  EXPECT_FALSE(Convert(Database(1, 8, {"", ""}), nullptr));
  EXPECT_FALSE(Convert(Database(2, 8, {""}), nullptr));
  // A page of one blank, or of punctuation, is no text either.
  EXPECT_FALSE(Convert(Database(1, 8, {std::string(1, '\0')}), nullptr));
  EXPECT_FALSE(Convert(Database(2, 8, {"..\x80\x08", " -"}), nullptr));
  const std::vector<std::u16string> texts = boxes.Texts();
  const std::u16string stop = u"Conversion stopped: no text could be taken out of the book. ";
  const std::u16string noLetter = stop + u"Its text records hold no letter or digit.";
  EXPECT_EQ(texts, (std::vector<std::u16string>{stop + u"It holds no text records.",
                                                stop + u"Its text records are empty.",
                                                stop + u"Its text records are empty.", noLetter,
                                                noLetter}));
}

TEST(PalmDocConverterTest, MalformedDatabasesFail) {
  MessageBoxCapture boxes;
  EXPECT_FALSE(Convert(Database(1, 4, {"too long"}), nullptr));
  EXPECT_FALSE(Convert(Database(2, 4, {"abcde"}), nullptr));    // decodes past the size
  EXPECT_FALSE(Convert(Database(2, 8, {std::string("a\x80\x00", 3)}), nullptr)); // distance 0
  EXPECT_FALSE(Convert(Database(2, 8, {"\x80\x08"}), nullptr));  // before the start
  EXPECT_FALSE(Convert(Database(1, 8, {"ab"}, 2, 5), nullptr));  // more text than records
  std::string swapped = Database(1, 8, {"ab", "cd"});
  Put32(swapped, 86 + 8, 0x50);  // record 2 starts before record 1
  EXPECT_FALSE(Convert(swapped, nullptr));
  std::string beyond = Database(1, 8, {"ab"});
  Put32(beyond, 86, 0x7FFFFFF0);
  EXPECT_FALSE(Convert(beyond, nullptr));
  // Each says why no text came out.
  const std::vector<std::u16string> texts = boxes.Texts();
  const std::u16string stop = u"Conversion stopped: no text could be taken out of the book. ";
  const std::u16string undecodable =
      stop + u"A text record is damaged and does not decode within the book's record size.";
  const std::u16string outside = stop + u"Its text records lie outside the file.";
  EXPECT_EQ(texts, (std::vector<std::u16string>{
                       stop + u"A text record is longer than the book's record size.",
                       undecodable, undecodable, undecodable,
                       stop + u"Its record list is shorter than its text.", outside, outside}));
}

TEST(TcrConverterTest, DictionaryAndTruncation) {
  std::string identity = "!!8-Bit!!";
  for (int b = 0; b < 256; ++b) identity += std::string{'\x01', static_cast<char>(b)};
  std::string body;
  for (int b = 0; b < 256; ++b) body += static_cast<char>(b);
  const std::string in = Scratch("t.tcr");
  const std::string out = Scratch("t.txt");
  WriteBytes(in, identity + body + body);
  ASSERT_TRUE(ConvertTcrToText(Wide(in).c_str(), Wide(out).c_str()));
  // Text holds no NUL: it becomes a blank.
  std::string text = body;
  text[0] = ' ';
  EXPECT_EQ(ReadBytes(out), text + text);

  std::string phrases = "!!8-Bit!!";
  phrases += std::string("\x05hello") + std::string("\x01 ") + std::string("\x00", 1);
  for (int b = 3; b < 256; ++b) phrases += std::string("\x01?");
  WriteBytes(in, phrases + std::string("\x00\x01\x00\x02\x00", 5));
  ASSERT_TRUE(ConvertTcrToText(Wide(in).c_str(), Wide(out).c_str()));
  EXPECT_EQ(ReadBytes(out), "hello hellohello");

  WriteBytes(in, identity.substr(0, 300));
  EXPECT_FALSE(ConvertTcrToText(Wide(in).c_str(), Wide(out).c_str()));
}

// Files made by another tool, compressed and stored, decode to the text.
TEST(RealDocumentsTest, Txt2PdbDocRoundTrip) {
  if (!HaveTool("txt2pdbdoc")) GTEST_SKIP() << "txt2pdbdoc is not installed";
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text += "Line " + std::to_string(i) + ": мама мыла раму, the quick brown fox.\n";
  }
  const std::string txt = Scratch("src.txt");
  WriteBytes(txt, text);
  for (const std::string flags : {"-b", "-b -c"}) {
    const std::string pdb = Scratch("doc" + std::to_string(flags.size()) + ".pdb");
    ASSERT_TRUE(RunCommand("txt2pdbdoc " + flags + " Test '" + txt + "' '" + pdb + "' >/dev/null"));
    const std::string out = Scratch("doc" + std::to_string(flags.size()) + ".txt");
    ASSERT_TRUE(ConvertPdbToText(Wide(pdb).c_str(), Wide(out).c_str())) << flags;
    EXPECT_EQ(ReadBytes(out), text) << flags;
  }
}

}  // namespace
