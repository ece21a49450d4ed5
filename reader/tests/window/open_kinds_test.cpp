// Opening each document kind through the main window: the page shows the
// converted Windows-1251 text, and an archive entry comes back from its
// archive when the main window opens it again from the recent list.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "documents/common/conversion_mark.h"
#include "documents/common/leftovers.h"
#include "documents/common/output_limits.h"
#include "foundation/code_pages.h"
#include "platform/window/headless_backend.h"
#include "reader/open/open_file_dlg.h"
#include "reader/open/tests/open_fixtures.h"
#include "reader/reader_dlg.h"

namespace {

// "Привет, мир." in UTF-8 and in Windows-1251.
const std::string kHelloUtf8 =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80.";
const std::string kHello1251 = "Привет, мир.";

class OpenKindsTest : public testing::Test {
 protected:
  OpenKindsTest() {
    setenv("XDG_CACHE_HOME", Scratch("cache").c_str(), 1);
    CReaderDlg::Environment environment;
    environment.engine.create = [](ITTSEngine**) { return E_FAIL; };
    reader_ = std::make_unique<CReaderDlg>(backend_, environment);
    reader_->OnInitDialog();
  }
  ~OpenKindsTest() override { reader_->OnDestroy(); }

  // The words of the page's lines, one blank between them (the lines carry
  // the indent and the blanks of justification).
  std::string PageText() {
    std::string text;
    for (const std::string& line : reader_->Page().Lines().lines) {
      for (const char c : line) {
        if (c != ' ') {
          text += c;
        } else if (!text.empty() && text.back() != ' ') {
          text += ' ';
        }
      }
      if (!text.empty() && text.back() != ' ') text += ' ';
    }
    if (!text.empty()) text.pop_back();
    return text;
  }
  std::string Open(const std::string& path) {
    reader_->OpenDocument(Wide(path));
    return PageText();
  }

  HeadlessBackend backend_;
  std::unique_ptr<CReaderDlg> reader_;
};

TEST_F(OpenKindsTest, EveryKindShowsItsTextOnThePage) {
  const std::string fb2 = Scratch("book.fb2");
  WriteBytes(fb2, "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body><section><p>" +
                      kHelloUtf8 + "</p></section></body></FictionBook>");
  EXPECT_NE(Open(fb2).find(kHello1251), std::string::npos) << PageText();
  EXPECT_EQ(reader_->DocumentPath(), Wide(fb2));
  EXPECT_EQ(reader_->Host().Title(), u"book.fb2");
  EXPECT_TRUE(Exists(fb2 + ".auto"));

  const std::string html = Scratch("page.html");
  WriteBytes(html, "<html><body><p>Hello <b>there</b>.</p></body></html>");
  EXPECT_EQ(Open(html), "Hello there.");
  // The previous document's converted text went with it.
  EXPECT_FALSE(Exists(fb2 + ".auto"));

  const std::string rtf = Scratch("letter.rtf");
  WriteBytes(rtf, "{\\rtf1\\ansi Dear reader.\\par}");
  EXPECT_EQ(Open(rtf), "Dear reader.");

  const std::string utf8 = Scratch("utf8.txt");
  WriteBytes(utf8, kHelloUtf8 + " " + kHelloUtf8);
  EXPECT_EQ(Open(utf8), kHello1251 + " " + kHello1251);

  const std::string plain = Scratch("plain.txt");
  WriteBytes(plain, kHello1251);
  EXPECT_EQ(Open(plain), kHello1251);
  EXPECT_FALSE(Exists(plain + ".auto"));
  EXPECT_FALSE(Exists(utf8 + ".auto"));

  EXPECT_EQ(reader_->settings.recentFiles,
            (std::vector<std::u16string>{Wide(plain), Wide(utf8), Wide(rtf), Wide(html), Wide(fb2)}));
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
}

TEST_F(OpenKindsTest, WhatCannotBeOpenedIsToldAndTheOpenDocumentStays) {
  const std::string plain = Scratch("stays.txt");
  WriteBytes(plain, "Still here.");
  Open(plain);
  const std::string folder = Scratch("a folder.txt");
  std::filesystem::create_directories(folder);
  // A named pipe is refused, never read: reading it would wait for a writer.
  const std::string pipe = Scratch("pipe.txt");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string binary = Scratch("program.txt");
  WriteBytes(binary, std::string("MZ\x90\0\x03\0\0\0", 8) + std::string(2000, 'x'));
  // A NUL past the first block does not make a text binary.
  const std::string late = Scratch("late.txt");
  WriteBytes(late, std::string(1000, 'x') + std::string(1, '\0'));

  // Books whose converter fails are no text to show: the converter's
  // message, or one of the reader's when it gave none.
  const std::string lit = Scratch("damaged.lit");
  WriteBytes(lit, "ITOLITLS" + std::string(300, '\x01'));
  const std::string fb2 = Scratch("not a book.fb2");
  WriteBytes(fb2, "<html><p>no book</p></html>");
  // Damaged books that give no text at all.
  std::string pdb(86 + 16, '\0');
  pdb.replace(60, 8, "TEXtREAd");  // a record list of 0 records
  pdb[81] = 86;                    // record 0, stored, of 0 text records
  pdb[87] = 1;
  const std::string noRecords = Scratch("no records.pdb");
  WriteBytes(noRecords, pdb);
  std::string rb("\xB0\x0C\xB0\x0C\x02\x00", 6);
  rb.resize(24, '\0');
  rb += std::string("\x20\0\0\0\0\0\0\0\x01\0\0\0", 12);  // one entry, listed at 32
  rb += std::string("page.html") + std::string(23, '\0');
  rb += std::string("\x0C\0\0\0\0\0\x01\0\0\0\0\0", 12);  // 12 bytes at 65536
  rb += "<p>Lost.</p>";
  const std::string pastEnd = Scratch("past end.rb");
  WriteBytes(pastEnd, rb);

  EXPECT_EQ(Open(Scratch("gone.txt")), "Still here.");
  EXPECT_EQ(Open(folder), "Still here.");
  EXPECT_EQ(Open(pipe), "Still here.");
  EXPECT_EQ(Open(binary), "Still here.");
  EXPECT_EQ(Open(lit), "Still here.");
  EXPECT_EQ(Open(fb2), "Still here.");
  EXPECT_EQ(Open(noRecords), "Still here.");
  EXPECT_EQ(Open(pastEnd), "Still here.");
  EXPECT_EQ(reader_->DocumentPath(), Wide(plain));
  EXPECT_EQ(reader_->settings.recentFiles, (std::vector<std::u16string>{Wide(plain)}));
  const std::vector<std::u16string> texts = backend_.MessageBoxes().Texts();
  EXPECT_EQ(texts, (std::vector<std::u16string>{
                       u"ERROR: can't open file!\n" + Wide(Scratch("gone.txt")) +
                           u"\nNo such file or directory",
                       u"ERROR: can't open file!\n" + Wide(folder) + u"\nIt is a folder.",
                       u"ERROR: can't open file!\n" + Wide(pipe) +
                           u"\nIt is not a regular file (a pipe, a device or a socket).",
                       u"ERROR: can't open file!\n" + Wide(binary) +
                           u"\nIt holds binary data, not text.",
                       u"Conversion FAILED!\n" + Wide(lit) +
                           u"\nThe document could not be converted to text: it is damaged, or "
                           u"not of the kind its name says.",
                       u"Conversion stopped: no FictionBook element, the file is not an FB2 "
                       u"book.",
                       u"Conversion stopped: no text could be taken out of the book. It holds "
                       u"no text records.",
                       u"Conversion stopped: no text could be taken out of the book. Its "
                       u"entries point past the end of the file."}));
  EXPECT_FALSE(Exists(lit + ".auto"));
  EXPECT_FALSE(Exists(noRecords + ".auto"));
  EXPECT_FALSE(Exists(pastEnd + ".auto"));
  Open(late);
  EXPECT_EQ(reader_->DocumentPath(), Wide(late));
  EXPECT_EQ(backend_.MessageBoxes().Count(), 8u);
}

// What a document declares decides its encoding: damaged bytes become blanks
// and cost nothing else.
TEST_F(OpenKindsTest, ADocumentDeclaredUtf8IsReadAsUtf8) {
  // A short book that lost one byte (the first of the letter i of "mir"),
  // which leaves its bytes looking like KOI8-R, and a lead byte without its
  // continuation before an ASCII letter.
  const std::string fb2 = Scratch("damaged.fb2");
  WriteBytes(fb2, "<?xml version='1.0' encoding='UTF-8'?><FictionBook><body><p>"
                  "\xD0\xBC\xE8\xD1\x80 \xD0x</p></body></FictionBook>");
  EXPECT_EQ(Open(fb2), "\xEC \xF0 x");
  EXPECT_EQ(ReadBytes(fb2 + ".auto"), "\n\n\xEC \xF0  x\n\n");

  // Saved in Windows-1251 under a header that still says UTF-8: the bytes
  // contradict it, and no letter is lost.
  const std::string resaved = Scratch("resaved.fb2");
  WriteBytes(resaved, "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body><p>" +
                          kHello1251 + "</p></body></FictionBook>");
  EXPECT_EQ(Open(resaved), kHello1251);
  // Also when a long style sheet, all ASCII, fills the head.
  const std::string styled = Scratch("styled.html");
  WriteBytes(styled, "<html><head><meta charset=\"utf-8\"><style>" + std::string(9000, ' ') +
                         "</style></head><body><p>" + kHello1251 + "</p></body></html>");
  EXPECT_EQ(Open(styled), kHello1251);

  // A page whose first kilobyte is markup with a few letters and signs,
  // declared in a meta tag.
  std::string head =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />"
      "<title>\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xC2\xAB" "0\xC2\xB0\xC2\xBB</title>";
  while (head.size() < 1000) head += "<link rel=\"stylesheet\" href=\"style.css\" />";
  const std::string html = Scratch("menu.html");
  WriteBytes(html, head + "</head><body><p>" + kHelloUtf8 + "</p></body></html>");
  EXPECT_EQ(Open(html), "\xCC\xE5\xED\xFE \xAB" "0\xB0\xBB " + kHello1251);

  // Recoded text is Windows-1251 however few its Russian words: the page
  // is not judged again (it reads as no code page, or another one).
  const std::string english = Scratch("english.html");
  WriteBytes(english, "<html><head><meta charset=\"utf-8\"></head><body><p>Export. "
                      "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xC2\xAB\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\xC2\xBB. "
                      "When the image is a native file</p></body></html>");
  reader_->settings.codePage = kCodePageAuto;
  GlobalCodePageConverter().Select(kCodePageKoi8r, 1);
  EXPECT_EQ(Open(english),
            "Export. \xCC\xE5\xED\xFE \xAB\xD4\xE0\xE9\xEB\xBB. When the image is a native file");
  EXPECT_EQ(GlobalCodePageConverter().Converted("\xCC"), "\xCC");
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
}

TEST_F(OpenKindsTest, ARelativePathIsFiledAbsolute) {
  const std::string folder = Scratch("relative/");
  std::filesystem::create_directories(folder + "sub");
  WriteBytes(folder + "sub/book.txt", "Book.");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  Open("./sub/../sub/book.txt");
  std::filesystem::current_path(before);
  EXPECT_EQ(reader_->DocumentPath(), Wide(folder + "sub/book.txt"));
  EXPECT_EQ(reader_->settings.recentFiles.front(), Wide(folder + "sub/book.txt"));
  EXPECT_EQ(PageText(), "Book.");
}

TEST_F(OpenKindsTest, AnArchiveGivenAsADocumentOpensAsTheOpenDialogOpensIt) {
  // One document inside: it is opened at once.
  const std::string folder = Scratch("given/");
  const ZipFixture single = WriteZip(folder + "one.zip", {{"tale.html", "<p>" + kHelloUtf8 + "</p>"}});
  EXPECT_EQ(Open(single.path), kHello1251);
  EXPECT_EQ(reader_->DocumentPath(),
            ZipExtractionPath(Wide(single.path), single.entries[0].second, u"tale.html"));

  // Several: the Open dialog shows the archive's entries.
  const ZipFixture several =
      WriteZip(folder + "two.zip", {{"tale.html", "<p>Tale.</p>"}, {"note.txt", "Note."}});
  backend_.ExpectDialog([&](DialogDriver& d) {
    ASSERT_EQ(d.Find(COpenFileDlg::kFileListId)->items,
              (std::vector<std::u16string>{u"..", u"note.txt", u"tale.html"}));
    d.Select(COpenFileDlg::kFileListId, 1);
    d.PressKey(VK_RIGHT);
  });
  EXPECT_EQ(Open(several.path), "Note.");
  EXPECT_EQ(reader_->DocumentPath(),
            ZipExtractionPath(Wide(several.path), several.entries[1].second, u"note.txt"));

  // Not an archive after all: told, and the document stays.
  const std::string broken = folder + "broken.zip";
  WriteBytes(broken, "PK not really");
  EXPECT_EQ(Open(broken), "Note.");
  ASSERT_EQ(backend_.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].text,
            u"ERROR: can't open file!\n" + Wide(broken) + u"\nIt is not a readable ZIP archive.");

  // An empty archive, its end record alone, is told as empty.
  const std::string empty = folder + "empty.zip";
  WriteBytes(empty, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  EXPECT_EQ(Open(empty), "Note.");
  ASSERT_EQ(backend_.MessageBoxes().Count(), 2u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[1].text,
            u"ERROR: can't open file!\n" + Wide(empty) +
                u"\nIt is an empty ZIP archive: it holds no file to open.");

  // What the archive leaves out is told once, though the dialog reads the
  // archive again to list it.
  const ZipFixture locked = WriteZip(
      folder + "locked.zip",
      {{"secret.txt", "x"}, {"tale.html", "<p>Tale.</p>"}, {"note.txt", "Note."}});
  std::string bytes = ReadBytes(locked.path);
  bytes[6] = 1;  // the first entry is encrypted
  WriteBytes(locked.path, bytes);
  backend_.ExpectDialog([&](DialogDriver& d) {
    ASSERT_EQ(d.Find(COpenFileDlg::kFileListId)->items,
              (std::vector<std::u16string>{u"..", u"note.txt", u"tale.html"}));
    d.Select(COpenFileDlg::kFileListId, 2);
    d.PressKey(VK_RIGHT);
  });
  EXPECT_EQ(Open(locked.path), "Tale.");
  ASSERT_EQ(backend_.MessageBoxes().Count(), 3u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[2].text,
            u"Warning: 1 encrypted files were met! They are left out.");

  // A disk too full for the entry: said once, by the extraction.
  {
    OutputLimits full = CurrentOutputLimits();
    full.freeSpace = [](const std::string&) { return int64_t{63} << 20; };
    ScopedOutputLimits scoped(std::move(full));
    const std::string tale =
        Utf8(ZipExtractionPath(Wide(single.path), single.entries[0].second, u"tale.html"));
    std::filesystem::remove(tale + ".trc");
    std::filesystem::remove(tale + ".auto");
    EXPECT_EQ(Open(single.path), "Tale.");
  }
  ASSERT_EQ(backend_.MessageBoxes().Count(), 4u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[3].text,
            u"Stopped: less than 64 MB would be left free on the disk. Nothing was kept.");

  // No folder to take entries out into (the cache folder is a file): one
  // message with the cause and the folder, in the Open dialog too.
  const std::string cacheFile = Scratch("cache-file");
  WriteBytes(cacheFile, "not a folder");
  setenv("XDG_CACHE_HOME", cacheFile.c_str(), 1);
  const std::u16string noFolder =
      u"The archive entry tale.html cannot be taken out of the archive: " + Wide(cacheFile) +
      u" is not a folder.";
  EXPECT_EQ(Open(single.path), "Tale.");
  backend_.ExpectDialog([&](DialogDriver& d) {
    d.Select(COpenFileDlg::kFileListId, 2);
    d.PressKey(VK_RIGHT);
    d.Cancel();
  });
  EXPECT_EQ(Open(several.path), "Tale.");
  const std::vector<std::u16string> texts = backend_.MessageBoxes().Texts();
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[4], noFolder);
  EXPECT_EQ(texts[5], noFolder);
}

// An archive named outside Windows-1251 is kept whole in its entry's
// ".trc", so the entry comes back from it through the recent list.
TEST_F(OpenKindsTest, AnArchiveNamedOutsideWindows1251GivesItsEntryBack) {
  const std::string folder = Scratch("names/");
  // "архив ü.zip" in UTF-8.
  const std::string archive = folder + "\xD0\xB0\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2 \xC3\xBC.zip";
  const ZipFixture zip = WriteZip(archive, {{"tale.html", "<p>" + kHelloUtf8 + "</p>"}});
  EXPECT_EQ(Open(archive), kHello1251);
  const std::u16string tale = reader_->DocumentPath();
  EXPECT_NE(ReadBytes(Utf8(tale) + ".trc").find("ZipPath=" + folder + "\xE0\xF0\xF5\xE8\xE2 \x98" "00FC.zip\n"),
            std::string::npos);
  WriteBytes(folder + "other.txt", "Other.");
  Open(folder + "other.txt");
  ASSERT_FALSE(Exists(tale));
  ASSERT_EQ(reader_->settings.recentFiles[1], tale);
  reader_->OnCommand(ID_RECENT_FIRST + 1);
  EXPECT_EQ(reader_->DocumentPath(), tale);
  EXPECT_EQ(PageText(), kHello1251);
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
}

// The reader removes only what it made: the user's "<document>.utf8" and a
// file of theirs named like an unfinished conversion survive opening the
// document and the sweeps of a later start.
TEST_F(OpenKindsTest, TheUsersOwnFilesSurviveOpeningAndRestarting) {
  const std::string folder = Scratch("own/");
  const std::string story = folder + "story.fb2";
  WriteBytes(story, "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body><p>" + kHelloUtf8 +
                        "</p></body></FictionBook>");
  const std::vector<std::string> mine = {story + ".utf8", folder + "story.txt.auto.partABCDEF",
                                         story + ".auto.partAbC123"};
  WriteBytes(folder + "story.txt", "Story.");
  for (const std::string& file : mine) {
    WriteBytes(file, "mine");
    std::filesystem::last_write_time(
        file, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(20));
  }
  EXPECT_EQ(Open(story), kHello1251);
  EXPECT_EQ(Open(folder + "story.txt"), "Story.");
  RemoveConversionFolderLeftovers();
  RemoveMarkedConversionLeftovers();
  for (const std::string& file : mine) EXPECT_EQ(ReadBytes(file), "mine") << file;
}

TEST_F(OpenKindsTest, AChangedDocumentIsConvertedAgain) {
  const std::string utf8 = Scratch("changing.txt");
  WriteBytes(utf8, kHelloUtf8);
  EXPECT_EQ(Open(utf8), kHello1251);
  ASSERT_TRUE(Exists(utf8 + ".auto"));
  // The document is edited later while its converted copy is kept.
  const auto converted = std::filesystem::last_write_time(utf8);
  WriteBytes(utf8, kHelloUtf8 + " " + kHelloUtf8);
  std::filesystem::last_write_time(utf8, converted + std::chrono::seconds(2));
  EXPECT_EQ(Open(utf8), kHello1251 + " " + kHello1251);
  // Unchanged since: the copy is used as it is.
  WriteBytes(utf8 + ".auto", "Copy.");
  const auto documentTime = std::filesystem::last_write_time(utf8);
  std::filesystem::last_write_time(utf8 + ".auto", documentTime);
  EXPECT_EQ(Open(utf8), "Copy.");
}

TEST_F(OpenKindsTest, ArchiveEntryOpensAndComesBackFromTheRecentList) {
  const std::string folder = Scratch("shelf/");
  const ZipFixture zip =
      WriteZip(folder + "books.zip", {{"tale.html", "<p>" + kHelloUtf8 + "</p>"}, {"note.txt", "Note."}});
  const std::u16string tale =
      ZipExtractionPath(Wide(zip.path), zip.entries[0].second, u"tale.html");
  backend_.ExpectDialog([&](DialogDriver& d) {
    ASSERT_EQ(d.Find(COpenFileDlg::kFileListId)->items,
              (std::vector<std::u16string>{u"..", u"books.zip", u"first.txt"}));
    d.Select(COpenFileDlg::kFileListId, 1);  // into the archive
    ASSERT_EQ(d.Find(COpenFileDlg::kFileListId)->items,
              (std::vector<std::u16string>{u"..", u"note.txt", u"tale.html"}));
    d.Select(COpenFileDlg::kFileListId, 2);
    d.PressKey(VK_RIGHT);
  });
  WriteBytes(folder + "first.txt", "First.");
  Open(folder + "first.txt");
  reader_->OnCommand(ID_OPEN);
  EXPECT_EQ(reader_->DocumentPath(), tale);
  EXPECT_EQ(PageText(), kHello1251);

  // Another document, and the extracted copy lost meanwhile: the recent
  // list takes it out of the archive again through its settings file.
  Open(folder + "first.txt");
  std::filesystem::remove(Utf8(tale));
  ASSERT_EQ(reader_->settings.recentFiles[1], tale);
  reader_->OnCommand(ID_RECENT_FIRST + 1);
  EXPECT_EQ(reader_->DocumentPath(), tale);
  EXPECT_EQ(PageText(), kHello1251);
  // Its text lives in the converted file; the extracted copy went at once.
  EXPECT_FALSE(Exists(tale));
  EXPECT_TRUE(Exists(Utf8(tale) + ".auto"));
}

}  // namespace
