#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <vector>

#include "documents/common/auto_conversion.h"
#include "documents/common/conversion_mark.h"
#include "documents/common/leftovers.h"
#include "documents/common/output_file.h"
#include "documents/common/output_limits.h"
#include "documents/converters.h"
#include "documents/tests/test_files.h"
#include "documents/zip/zip_archive.h"
#include "platform/message_box.h"

namespace {

constexpr int64_t kMiB = int64_t{1} << 20;

// Whatever was written under a temporary name beside the target is gone.
size_t FilesIn(const std::string& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator()));
}

// Files without the mark of their kind hold no document: nothing is shown
// as their converted text, and the user learns why. An empty HTML file is
// an empty text, not a damaged one.
TEST(NothingOfItsKindTest, EmptyAndForeignDocumentsAreNotConverted) {
  const std::string folder = Scratch("kinds/");
  std::filesystem::create_directories(folder);
  MessageBoxCapture boxes;
  for (const char* name : {"e.fb2", "e.rtf", "p.fb2", "p.rtf"}) {
    const std::string path = folder + name;
    WriteBytes(path, name[0] == 'e' ? "" : "<?xml version=\"1.0\"?><p>plain</p>");
    const OpenedText opened = ConvertForReading(Wide(path));
    EXPECT_FALSE(opened.converted) << name;
    EXPECT_EQ(opened.path, Wide(path)) << name;
    EXPECT_FALSE(Exists(path + ".auto")) << name;
  }
  EXPECT_EQ(FilesIn(folder), 4u);
  const std::u16string noBook =
      u"Conversion stopped: no FictionBook element, the file is not an FB2 book.";
  const std::u16string noRtf =
      u"Conversion stopped: the file does not begin with \"{\\rtf\", it is not an RTF document.";
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{noBook, noRtf, noBook, noRtf}));

  const std::string html = folder + "e.html";
  WriteBytes(html, "");
  const OpenedText opened = ConvertForReading(Wide(html));
  EXPECT_TRUE(opened.converted);
  EXPECT_TRUE(Exists(html + ".auto"));
  EXPECT_EQ(ReadBytes(html + ".auto"), "");

  // The marks themselves are enough.
  const std::string fb2 = folder + "b.fb2";
  WriteBytes(fb2, "<FictionBook\n xmlns=\"x\"><body><p>x</p></body></FictionBook>");
  EXPECT_TRUE(ConvertFb2ToText(Wide(fb2).c_str(), Wide(fb2 + ".txt").c_str()));
  EXPECT_EQ(ReadBytes(fb2 + ".txt"), "\n\nx\n\n");
  const std::string rtf = folder + "b.rtf";
  WriteBytes(rtf, " \r\n{\\rtf1 x}");
  EXPECT_TRUE(ConvertRtfToText(Wide(rtf).c_str(), Wide(rtf + ".txt").c_str()));
  EXPECT_EQ(ReadBytes(rtf + ".txt"), " x");
  EXPECT_EQ(boxes.Count(), 4u);

  // A book's root element stands in its first kilobytes: a large file
  // without it is refused without reading it all.
  const std::string late = folder + "late.fb2";
  WriteBytes(late, std::string(100000, 'x') + "<FictionBook><p>y</p></FictionBook>");
  EXPECT_FALSE(ConvertFb2ToText(Wide(late).c_str(), Wide(late + ".txt").c_str()));
  EXPECT_FALSE(Exists(late + ".txt"));
  EXPECT_EQ(boxes.Texts().back(), noBook);
  const std::string early = folder + "early.fb2";
  WriteBytes(early, std::string(16000, ' ') + "<FictionBook><p>y</p>" + std::string(100000, 'z') +
                        "</FictionBook>");
  EXPECT_TRUE(ConvertFb2ToText(Wide(early).c_str(), Wide(early + ".txt").c_str()));
  // A long prolog of comments is no reason to refuse the book behind it.
  const std::string prolog = folder + "prolog.fb2";
  std::string comments = "<?xml version=\"1.0\"?>\n";
  while (comments.size() < 40000) comments += "<!-- a comment of the book's maker -->\r\n";
  WriteBytes(prolog, comments + "<FictionBook><p>y</p></FictionBook>");
  EXPECT_TRUE(ConvertFb2ToText(Wide(prolog).c_str(), Wide(prolog + ".txt").c_str()));
  EXPECT_EQ(ReadBytes(prolog + ".txt"), "\ny\n");
  EXPECT_EQ(boxes.Count(), 5u);
}

// No converter writes a NUL into text: it becomes a blank.
TEST(NothingOfItsKindTest, NulBytesBecomeBlanks) {
  const std::string in = Scratch("nul.src");
  const std::string out = Scratch("nul.txt");
  const auto convert = [&](const std::string& source, auto converter) {
    WriteBytes(in, source);
    EXPECT_TRUE(converter(Wide(in).c_str(), Wide(out).c_str()));
    return ReadBytes(out);
  };
  const std::string nul(1, '\0');
  EXPECT_EQ(convert("a" + nul + "b", [](auto s, auto t) { return ConvertHtmlToText(s, t, 1); }),
            "a b");
  EXPECT_EQ(convert("<FictionBook>a" + nul + "b", ConvertFb2ToText), "a b");
  EXPECT_EQ(convert("{\\rtf1 a\\'00b" + nul + "c}", ConvertRtfToText), "a b c");
  EXPECT_EQ(convert("a" + nul + "\xD0\x91", ConvertUtf8ToWin), "a \xC1");
}

// A TCR body of n bytes that each stand for 255 bytes of text.
std::string TcrBomb(size_t n) {
  std::string tcr = "!!8-Bit!!";
  for (int b = 0; b < 256; ++b) tcr += '\xFF' + std::string(255, 'a' + b % 26);
  return tcr + std::string(n, 'A');
}

OutputLimits Limits(int64_t largest, std::function<int64_t(const std::string&)> freeSpace) {
  OutputLimits limits;
  limits.largestFile = largest;
  limits.freeSpace = std::move(freeSpace);
  limits.progressStep = kMiB;
  return limits;
}

TEST(OutputLimitsTest, OutputBeyondTheLargestDocumentStopsAndLeavesNothing) {
  const std::string folder = Scratch("limits/");
  std::filesystem::create_directories(folder);
  const std::string source = folder + "bomb.tcr";
  const std::string target = folder + "bomb.txt";
  WriteBytes(source, TcrBomb(16000));  // 4 MB of text
  MessageBoxCapture boxes;
  {
    ScopedOutputLimits limits(Limits(3 * kMiB, [](const std::string&) { return 1000 * kMiB; }));
    EXPECT_FALSE(ConvertTcrToText(Wide(source).c_str(), Wide(target).c_str()));
  }
  EXPECT_EQ(FilesIn(folder), 1u);
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{
                              u"Stopped: the file would be larger than 3 MB, the largest "
                              u"document the reader opens. Nothing was kept."});

  // Within the limit the whole text is written, its progress reported after
  // every step (here one write of the whole text).
  std::vector<int64_t> reports;
  {
    OutputLimits limits = Limits(5 * kMiB, [](const std::string&) { return 1000 * kMiB; });
    limits.progress = [&reports](int64_t written) { reports.push_back(written); };
    ScopedOutputLimits scoped(std::move(limits));
    EXPECT_TRUE(ConvertTcrToText(Wide(source).c_str(), Wide(target).c_str()));
  }
  EXPECT_EQ(ReadBytes(target).size(), 16000u * 255);
  EXPECT_EQ(reports, std::vector<int64_t>{16000 * 255});
  EXPECT_EQ(boxes.Count(), 1u);
  // The process's own limits: 2 GiB and a free-space margin.
  EXPECT_EQ(CurrentOutputLimits().largestFile, 2048 * kMiB);
  EXPECT_GT(CurrentOutputLimits().freeSpaceMargin, 0);
}

TEST(OutputLimitsTest, AnAlmostFullDiskStopsTheWriting) {
  const std::string folder = Scratch("disk/");
  std::filesystem::create_directories(folder);
  const std::string source = folder + "bomb.tcr";
  WriteBytes(source, TcrBomb(16000));
  MessageBoxCapture boxes;
  // The disk fills while the text is written: free space is asked again as
  // the output grows.
  int asked = 0;
  std::vector<std::string> folders;
  ScopedOutputLimits limits(Limits(2048 * kMiB, [&](const std::string& at) {
    folders.push_back(at);
    return ++asked < 2 ? 100 * kMiB : 63 * kMiB;
  }));
  EXPECT_FALSE(ConvertTcrToText(Wide(source).c_str(), Wide(folder + "out.txt").c_str()));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(folders.front(), Scratch("disk"));
  EXPECT_EQ(FilesIn(folder), 1u);

  // An entry whose announced size does not fit is not begun.
  const std::string archive = folder + "a.zip";
  WriteBytes(archive, std::string(100, 'z'));
  asked = 0;
  EXPECT_FALSE(ExtractZipEntry(Wide(archive).c_str(), {0, -1, 40 * (int32_t)kMiB},
                               Wide(folder + "big.txt").c_str()));
  EXPECT_EQ(FilesIn(folder), 2u);
  const std::u16string full =
      u"Stopped: less than 64 MB would be left free on the disk. Nothing was kept.";
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{full, full}));
}

TEST(OutputLimitsTest, AnEntryLargerThanTheLargestDocumentIsNotExtracted) {
  const std::string archive = Scratch("big.zip");
  WriteBytes(archive, std::string(100, 'z'));
  MessageBoxCapture boxes;
  ScopedOutputLimits limits(Limits(2 * kMiB, [](const std::string&) { return -1; }));
  EXPECT_FALSE(ExtractZipEntry(Wide(archive).c_str(), {0, -1, 3 * (int32_t)kMiB},
                               Wide(Scratch("big.txt")).c_str()));
  EXPECT_FALSE(Exists(Scratch("big.txt")));
  ASSERT_EQ(boxes.Count(), 1u);
  // Small entries still come out.
  EXPECT_TRUE(ExtractZipEntry(Wide(archive).c_str(), {10, -1, 5}, Wide(Scratch("s.txt")).c_str()));
  EXPECT_EQ(ReadBytes(Scratch("s.txt")), "zzzzz");

  // A file-size limit (ulimit -f) met on the way is said once, naming the
  // entry, not the file in the cache it was going to.
  boxes.Clear();
  WriteBytes(archive, std::string(300000, 'z'));
  {
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &limited);
    EXPECT_FALSE(ExtractZipEntry(Wide(archive).c_str(), {0, -1, 200000},
                                 Wide(Scratch("book.fb2")).c_str()));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
  }
  EXPECT_FALSE(Exists(Scratch("book.fb2")));
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{
                               u"The archive entry book.fb2 could not be taken out of the "
                               u"archive: the file cannot be written (File too large)."});
  // A folder in the way is said for what it is.
  boxes.Clear();
  std::filesystem::create_directory(Scratch("folder.txt"));
  EXPECT_FALSE(ExtractZipEntry(Wide(archive).c_str(), {0, -1, 5},
                               Wide(Scratch("folder.txt")).c_str()));
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{
                               u"The archive entry folder.txt could not be taken out of the "
                               u"archive: the file cannot be written (it is not a regular file)."});
}

}  // namespace

namespace {

void Age(const std::string& path, std::chrono::minutes by) {
  std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - by);
}

}  // namespace

// What killed conversions left goes with a later run: the conversions'
// folders in the temporary folder, by their own names only, and only once
// 10 minutes old (younger ones may be another reader's conversion under
// way). Files beside a document are the user's unless a conversion's mark
// names them (below), however much their names look like a temporary.
TEST(LeftoversTest, KilledConversionsLeaveNothingForGood) {
  const std::string folder = Scratch("killed/");
  const std::string temporary = Scratch("tmp/");
  std::filesystem::create_directories(folder);
  std::filesystem::create_directories(temporary);
  const std::string book = folder + "big.tcr";
  WriteBytes(book, TcrBomb(4));
  const std::string story = folder + "story";
  WriteBytes(story, "A story.\n");
  const std::vector<std::string> foreign = {
      book + ".auto.partAbC123", book + ".utf8.partXyZ789", book + ".auto.partAB",
      book + ".auto.part-b-c-d", book + ".partAbC123", folder + "other.tcr.auto.partAbC123",
      book + ".txt.partAbC123", book + ".utf8", story + ".utf8"};
  for (const std::string& file : foreign) WriteBytes(file, "x");
  for (const std::string& file : foreign) Age(file, std::chrono::minutes(20));

  const std::string rbStale = temporary + "parlen-rb-Ab1Cd2";
  const std::string rbBusy = temporary + "parlen-rb-Ef3Gh4";
  const std::string litStale = temporary + "parlen-lit-Ij5Kl6";
  const std::string notOurs = temporary + "parlen-zip-Mn7Op8";
  for (const std::string& dir : {rbStale, rbBusy, litStale, notOurs}) {
    std::filesystem::create_directories(dir);
    WriteBytes(dir + "/entry.html", "x");
    Age(dir + "/entry.html", std::chrono::minutes(20));
    Age(dir, std::chrono::minutes(20));
  }
  // One of its entries is still being written.
  WriteBytes(rbBusy + "/join.zzz", "x");
  const std::string rbFile = temporary + "parlen-rb-Qr9St0";
  WriteBytes(rbFile, "x");
  Age(rbFile, std::chrono::minutes(20));

  const char* saved = std::getenv("TMPDIR");
  const std::string savedTmp = saved != nullptr ? saved : "";
  setenv("TMPDIR", temporary.c_str(), 1);
  RemoveConversionFolderLeftovers();
  if (saved != nullptr) {
    setenv("TMPDIR", savedTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  // Opening the documents converts them afresh, and a later start sweeps.
  EXPECT_TRUE(ConvertForReading(Wide(book)).converted);
  ConvertForReading(Wide(story));
  RemoveMarkedConversionLeftovers();

  for (const std::string& kept : foreign) EXPECT_EQ(ReadBytes(kept), "x") << kept;
  EXPECT_TRUE(Exists(book + ".auto"));
  EXPECT_EQ(FilesIn(folder), 3 + foreign.size());
  EXPECT_FALSE(Exists(rbStale));
  EXPECT_FALSE(Exists(litStale));
  EXPECT_TRUE(Exists(rbBusy + "/entry.html"));
  EXPECT_TRUE(Exists(notOurs + "/entry.html"));
  EXPECT_TRUE(Exists(rbFile));
}

namespace {

// The FB2 converter of a reader killed half-way through its first
// conversion of a document.
bool KilledWhileConverting(const char16_t*, const char16_t* target) {
  OutputFile out;
  if (out.Create(target)) out.Write(std::string("half"));
  _exit(0);
}

}  // namespace

// A document whose first conversion was killed is no recent one, yet the
// next start finds what it left, by the mark the conversion kept in the
// program's cache folder; 10 minutes on, like the rest. The UTF-8 step goes
// to a file of its own there: the user's "<document>.utf8" is never
// written over, nor removed.
TEST(LeftoversTest, KilledFirstConversionIsFoundByTheNextStart) {
  const std::string folder = Scratch("first/");
  const std::string marks = std::string(std::getenv("XDG_CACHE_HOME")) + "/parlen/conversions/";
  std::filesystem::create_directories(folder);
  const std::string book = folder + "book.fb2";
  WriteBytes(book, "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body><p>"
                   "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82</p></body></FictionBook>");
  WriteBytes(book + ".utf8", "mine");
  KindConverters converters = DocumentConverters();
  converters.fb2 = KilledWhileConverting;
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ConvertForReading(Wide(book), converters);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  // What it left: the unfinished text beside the book, the UTF-8 step and
  // the mark in the cache folder.
  ASSERT_EQ(FilesIn(folder), 3u);
  ASSERT_EQ(FilesIn(marks), 2u);
  EXPECT_EQ(ReadBytes(book + ".utf8"), "mine");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) left.push_back(entry.path());
  for (const auto& entry : std::filesystem::directory_iterator(marks)) left.push_back(entry.path());

  RemoveMarkedConversionLeftovers();
  EXPECT_EQ(FilesIn(folder), 3u);
  for (const std::string& file : left) Age(file, std::chrono::minutes(20));
  // Another reader's conversion, or the user's file of the same look: no
  // mark names it.
  const std::string running = book + ".auto.partQrS456";
  WriteBytes(running, "x");
  Age(running, std::chrono::minutes(20));
  // A mark edited by hand takes only what a conversion names its files.
  const std::string notes = Scratch("first-notes.txt");
  WriteBytes(notes, "mine");
  const std::string edited = marks + "conversion-HaNd01";
  WriteBytes(edited, "#parlen temporaries\n" + book + "\n" + notes + "\n" + book + ".utf8\n");
  for (const std::string& file : {notes, edited}) Age(file, std::chrono::minutes(20));
  RemoveMarkedConversionLeftovers();
  EXPECT_EQ(ReadBytes(notes), "mine");
  EXPECT_TRUE(Exists(book));
  EXPECT_EQ(ReadBytes(book + ".utf8"), "mine");
  EXPECT_TRUE(Exists(running));
  EXPECT_EQ(FilesIn(folder), 3u);
  EXPECT_EQ(FilesIn(marks), 0u);

  // A conversion that ends takes its mark and its UTF-8 step with it.
  EXPECT_TRUE(ConvertForReading(Wide(book)).converted);
  EXPECT_EQ(FilesIn(marks), 0u);
  EXPECT_EQ(ReadBytes(book + ".utf8"), "mine");
  EXPECT_EQ(FilesIn(folder), 4u);  // the book, its text, and the user's two
}
