#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "documents/zip/zip_archive.h"
#include "platform/message_box.h"
#include "reader/open/document_opener.h"
#include "reader/open/open_command.h"
#include "reader/open/tests/open_fixtures.h"
#include "reader/settings_store.h"

namespace {

// "Привет, мир." in UTF-8 and in Windows-1251.
const std::string kHelloUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80.";
const std::string kHello1251 = "Привет, мир.";

class DocumentOpenerTest : public testing::Test {
 protected:
  DocumentOpenerTest() {
    setenv("XDG_CACHE_HOME", Scratch("cache").c_str(), 1);
    hooks_.saveDocumentSettings = [this] { log_.push_back("save"); };
    hooks_.closeTextFile = [this] { log_.push_back("close"); };
  }

  // Opens as the main window does and returns the text read.
  std::string Open(const std::u16string& path) {
    const auto text = opener_.Prepare(path, open_, hooks_);
    if (!text) return "<not opened>";
    open_ = path;
    return ReadBytes(Utf8(*text));
  }

  DocumentOpener opener_;
  DocumentOpener::Hooks hooks_;
  std::vector<std::string> log_;
  std::u16string open_;
  MessageBoxCapture boxes_;
};

TEST_F(DocumentOpenerTest, EveryKindIsReadAsWindows1251Text) {
  const std::string plain = Scratch("plain.txt");
  WriteBytes(plain, kHello1251 + "\r\n");
  EXPECT_EQ(Open(Wide(plain)), kHello1251 + "\r\n");
  EXPECT_FALSE(opener_.ConvertedOpen());
  EXPECT_FALSE(Exists(plain + ".auto"));

  const std::string utf8 = Scratch("utf8.txt");
  WriteBytes(utf8, kHelloUtf8 + " " + kHelloUtf8 + " " + kHelloUtf8);
  EXPECT_EQ(Open(Wide(utf8)), kHello1251 + " " + kHello1251 + " " + kHello1251);
  EXPECT_TRUE(opener_.ConvertedOpen());
  EXPECT_TRUE(Exists(utf8 + ".auto"));

  const std::string fb2 = Scratch("book.fb2");
  WriteBytes(fb2, "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body><section><p>" +
                      kHelloUtf8 + "</p></section></body></FictionBook>");
  const std::string fb2Text = Open(Wide(fb2));
  EXPECT_NE(fb2Text.find(kHello1251), std::string::npos) << fb2Text;
  EXPECT_FALSE(Exists(fb2 + ".utf8"));
  // The previous document's ".auto" went when this one opened.
  EXPECT_FALSE(Exists(utf8 + ".auto"));

  const std::string html = Scratch("page.HTML");
  WriteBytes(html, "<html><body><p>Hello <b>there</b>.</p></body></html>");
  EXPECT_NE(Open(Wide(html)).find("Hello there."), std::string::npos);

  const std::string rtf = Scratch("letter.rtf");
  WriteBytes(rtf, "{\\rtf1\\ansi Dear reader.\\par}");
  EXPECT_NE(Open(Wide(rtf)).find("Dear reader."), std::string::npos);
  EXPECT_FALSE(Exists(html + ".auto"));
  EXPECT_TRUE(Exists(rtf + ".auto"));
}

// A document whose converter fails is no text to show: the open document
// stays open, and nothing of the failed attempt is left.
TEST_F(DocumentOpenerTest, FailedConversionKeepsTheOpenDocument) {
  // A converter that fails after writing part of its target.
  KindConverters converters = DocumentConverters();
  converters.rtf = [](const char16_t*, const char16_t* target) {
    WriteBytes(Utf8(target), "partial");
    return false;
  };
  DocumentOpener opener(converters);
  const std::string open = Scratch("open.rtf");
  WriteBytes(open, "{\\rtf1 fine}");
  WriteBytes(open + ".auto", "fine");
  std::filesystem::last_write_time(open + ".auto", std::filesystem::last_write_time(open));
  ASSERT_TRUE(opener.Prepare(Wide(open), u"", hooks_).has_value());
  ASSERT_TRUE(opener.ConvertedOpen());
  log_.clear();

  const std::string broken = Scratch("broken.rtf");
  WriteBytes(broken, "{\\rtf1 cut");
  EXPECT_FALSE(opener.Prepare(Wide(broken), Wide(open), hooks_).has_value());
  EXPECT_EQ(opener.LastProblem(), DocumentOpener::Problem::kConversion);
  EXPECT_FALSE(Exists(broken + ".auto"));
  // Its text file stays open and its converted text stays.
  EXPECT_EQ(log_, (std::vector<std::string>{"save"}));
  EXPECT_TRUE(opener.ConvertedOpen());
  EXPECT_EQ(ReadBytes(open + ".auto"), "fine");

  // A damaged LIT book, with the real converter.
  const std::string lit = Scratch("damaged.lit");
  WriteBytes(lit, "ITOLITLS" + std::string(200, '\x01'));
  EXPECT_EQ(Open(Wide(lit)), "<not opened>");
  EXPECT_EQ(opener_.LastProblem(), DocumentOpener::Problem::kConversion);
  EXPECT_FALSE(Exists(lit + ".auto"));
}

// An entry that cannot be taken out of its archive says so, and why.
TEST_F(DocumentOpenerTest, FailedExtractionSaysWhy) {
  const ZipFixture zip = WriteZip(Scratch("cut.zip"), {{"book.txt", "The whole book."}});
  ZipEntry entry = zip.entries[0].second;
  entry.dataOffset = 1 << 20;  // past the archive's end
  const std::u16string book = ZipExtractionPath(Wide(zip.path), entry, u"book.txt");
  ASSERT_TRUE(RememberArchiveEntry({book, true, Wide(zip.path), entry, u"book.txt"}));
  EXPECT_EQ(Open(book), "<not opened>");
  EXPECT_EQ(opener_.LastProblem(), DocumentOpener::Problem::kExtraction);
  EXPECT_FALSE(Exists(book));
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text,
            u"The archive entry book.txt could not be taken out of the archive: its data is "
            u"damaged, nothing could be read.");

  // A damaged entry (its data does not match its CRC-32) is shown with a
  // warning; the CRC comes from the settings file when taken out again.
  entry = zip.entries[0].second;
  entry.crc ^= 1;
  const std::u16string damaged = ZipExtractionPath(Wide(zip.path), entry, u"book.txt");
  EXPECT_NE(damaged, book);
  ASSERT_TRUE(RememberArchiveEntry({damaged, true, Wide(zip.path), entry, u"book.txt"}));
  EXPECT_EQ(Open(damaged), "The whole book.");
  ASSERT_EQ(boxes_.Count(), 2u);
  EXPECT_EQ(boxes_.Boxes()[1].text,
            u"Warning: the archive entry book.txt is damaged: its CRC-32 does not match its "
            u"data. What could be read was taken out; parts of it may be missing or wrong.");
  EXPECT_EQ(boxes_.Boxes()[1].caption, u"Warning");
}

TEST_F(DocumentOpenerTest, ExistingConvertedTextIsTakenAsItIs) {
  const std::string doc = Scratch("kept.fb2");
  WriteBytes(doc, "<FictionBook/>");
  WriteBytes(doc + ".auto", "converted before");
  // Converted from the document as it is now: it carries the document's time.
  std::filesystem::last_write_time(doc + ".auto", std::filesystem::last_write_time(doc));
  EXPECT_EQ(Open(Wide(doc)), "converted before");
  EXPECT_TRUE(opener_.ConvertedOpen());
  // Opening it again keeps its text.
  EXPECT_EQ(Open(Wide(doc)), "converted before");
  EXPECT_TRUE(Exists(doc + ".auto"));
}

TEST_F(DocumentOpenerTest, ArchiveEntryIsExtractedPrivatelyAndAgainLater) {
  const ZipFixture zip = WriteZip(Scratch("books.zip"), {{"inner/tale.txt", "Once upon a time."},
                                                         {"song.txt", kHelloUtf8}});
  const std::u16string tale = ZipExtractionPath(Wide(zip.path), zip.entries[0].second, u"tale.txt");
  ASSERT_FALSE(tale.empty());
  EXPECT_EQ(Utf8(tale).rfind(Scratch("cache/parlen/extracted/"), 0), 0u);
  ASSERT_TRUE(RememberArchiveEntry({tale, true, Wide(zip.path), zip.entries[0].second, u"inner/tale.txt"}));
  CSettingsStore trc;
  trc.Load(tale + u".trc");
  std::string settings;
  trc.GetString("ZipSettings", settings);
  EXPECT_EQ(settings, "-1\x01" + std::to_string(zip.entries[0].second.dataOffset) + "\x01" "17");

  EXPECT_EQ(Open(tale), "Once upon a time.");
  EXPECT_TRUE(opener_.ExtractedTemporary());

  // A UTF-8 entry: converted, and the extracted file goes at once.
  const std::u16string song = ZipExtractionPath(Wide(zip.path), zip.entries[1].second, u"song.txt");
  ASSERT_TRUE(RememberArchiveEntry({song, true, Wide(zip.path), zip.entries[1].second, u"song.txt"}));
  EXPECT_EQ(Open(song), kHello1251);
  EXPECT_FALSE(Exists(song));
  EXPECT_FALSE(Exists(tale));  // the previous extracted document is gone

  // From the recent list later: taken out of the archive again.
  EXPECT_EQ(Open(tale), "Once upon a time.");
  EXPECT_FALSE(Exists(Utf8(song) + ".auto"));
  EXPECT_EQ(Open(song), kHello1251);
}

TEST_F(DocumentOpenerTest, OnlyFilesExtractedByThisRunAreDeleted) {
  const ZipFixture zip = WriteZip(Scratch("one.zip"), {{"a.txt", "from the archive"}});
  // A settings file that sends the extraction to a file of the user's.
  const std::string mine = Scratch("mine.txt");
  CSettingsStore trc;
  trc.Load(Wide(mine + ".trc"));
  trc.SetWideString("ZipPath", Wide(zip.path));
  trc.SetString("ZipSettings", FormatZipSettings(zip.entries[0].second));
  trc.Save();
  EXPECT_EQ(Open(Wide(mine)), "<not opened>");
  EXPECT_FALSE(Exists(mine));

  // An extracted file left by an earlier run is read but never deleted.
  const std::u16string left = ZipExtractionPath(Wide(zip.path), zip.entries[0].second, u"a.txt");
  WriteBytes(Utf8(left), "left over");
  EXPECT_EQ(Open(left), "left over");
  EXPECT_FALSE(opener_.ExtractedTemporary());
  const std::string other = Scratch("other.txt");
  WriteBytes(other, "other");
  Open(Wide(other));
  EXPECT_TRUE(Exists(left));
}

TEST(RecentDocumentsTest, MostRecentFirstWithoutDuplicates) {
  std::vector<std::u16string> recent;
  for (int i = 0; i < 11; ++i) AddRecentDocument(recent, u"/d/" + std::u16string(1, u'a' + i));
  ASSERT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent.front(), u"/d/k");
  EXPECT_EQ(recent.back(), u"/d/b");
  AddRecentDocument(recent, u"/d/e");
  EXPECT_EQ(recent, (std::vector<std::u16string>{u"/d/e", u"/d/k", u"/d/j", u"/d/i", u"/d/h",
                                                  u"/d/g", u"/d/f", u"/d/d", u"/d/c", u"/d/b"}));
  AddRecentDocument(recent, u"/d/E");
  EXPECT_EQ(recent[0], u"/d/E");
  EXPECT_EQ(recent[1], u"/d/e");
}

TEST(ZipSettingsTest, ThreeWholeNumbers) {
  ZipEntry entry{-1, -1, -1};
  EXPECT_EQ(FormatZipSettings({120, -1, 4000}), "-1\x01" "120\x01" "4000");
  EXPECT_TRUE(ParseZipSettings("77\x01" "30\x01" "90", entry));
  EXPECT_EQ(entry.compressedSize, 77);
  EXPECT_EQ(entry.dataOffset, 30);
  EXPECT_EQ(entry.uncompressedSize, 90);
  EXPECT_FALSE(ParseZipSettings("1\x01" "2", entry));
  EXPECT_FALSE(ParseZipSettings("1\x01" "2\x01" "3\x01" "4", entry));
  EXPECT_FALSE(ParseZipSettings("1\x01" "x\x01" "3", entry));
}

}  // namespace
